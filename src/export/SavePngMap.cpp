#include "export/SavePngMap.h"
#include "export/Form_SplMapExport.h"
#include "export/modPNG.h"
#include "core/NumberRules.h"
#include "core/VbTypes.h"
#include "forms/Form_PrincipaleControls.h"
#include "platform/CommonDialog.h"
#include "platform/Services.h"
#include "platform/WriteWholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

// Hundredths of a second in a day, less one: the largest time of day the temporary name can show.
constexpr double LastHundredth = 8639999;
// Hide the read-only box; no overwrite prompt.
constexpr int SaveFlags = 4;

void ShowSaveError(const QString& path)
{
    MsgBox(QStringLiteral("Unable to save PNG file!") + '\r' + path, vbOKOnly | vbExclamation);
}

// Copies source over target through a file beside the target that is renamed onto it, so the target
// is either replaced whole or left as it was, also when the two lie on different disks.
bool ReplaceWith(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return false;
    return WriteWholeFile(target, bytes);
}

} // namespace

QString ExportsFolder() { return Svc().ProgramFolder() + QStringLiteral("/exports"); }

QString TemporaryPngPath()
{
    const double hundredths = std::clamp(Int(Svc().SecondsSinceMidnight() * 100), 0.0, LastHundredth);
    return ExportsFolder() + QStringLiteral("/ff") + Format(hundredths, QStringLiteral("0000000")) + QStringLiteral(".tmp");
}

QString DefaultPngFileName(const QString& projectFileName, const QString& band)
{
    QString title = FileTitleOf(projectFileName);
    const qsizetype dot = title.lastIndexOf('.');
    if (dot >= 0)
        title.truncate(dot);
    return title + QStringLiteral(" - ") + band + QStringLiteral(" Map.png");
}

bool SavePngMap(const QString& defaultFileName)
{
    if (!SplMapExportLoaded())
        return false;
    const QString folder = ExportsFolder();
    const QString temporary = TemporaryPngPath();
    QDir().mkpath(folder);
    // A leftover of an export at the same time of day, to the hundredth of a second.
    QFile::remove(temporary);
    const bool written = SavePNG(SplMapExport().picMapPreview, temporary);
    UnloadSplMapExport();
    if (!written) {
        QFile::remove(temporary);
        ShowSaveError(temporary);
        return false;
    }

    CommonDialog& dialog = Principale().Salva;
    dialog.CancelError = true;
    dialog.Flags = SaveFlags;
    dialog.InitDir = folder;
    dialog.Filter = QStringLiteral("Export PNG Map (*.png)|*.png");
    dialog.FilterIndex = 1;
    dialog.FileName = folder + '/' + defaultFileName;
    try {
        dialog.ShowSave();
    } catch (const VbError&) {
        QFile::remove(temporary);
        return false;
    }

    const QString target = dialog.FileName;
    if (QFileInfo(target) == QFileInfo(temporary))
        return true;
    const bool moved = ReplaceWith(temporary, target);
    QFile::remove(temporary);
    if (!moved)
        ShowSaveError(target);
    return moved;
}
