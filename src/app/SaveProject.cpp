#include "app/SaveProject.h"
#include "app/MDIForm1.h"
#include "app/ProjectFile.h"
#include "core/ContainerState.h"
#include "core/Settings.h"
#include "forms/Form_PrincipaleControls.h"
#include "library/Check_CRC32.h"
#include "library/Global.h"
#include "platform/Services.h"

#include <QFileInfo>
#include <algorithm>

bool ProjectNeedsNewName = false;

namespace {

constexpr char16_t LastStorableCharacter = 127;

void ReportSaveFailure(const QString& path, const QString& reason = QString())
{
    MsgBox(QStringLiteral("Unable to save file!\r") + path + reason, vbOKOnly | vbExclamation, QStringLiteral("Save"));
}

// The first line of the text that holds a character the file cannot carry, or an empty text. A project
// file stores one byte per character and its reader ends the text at the first byte above 127, so
// such a file would be written but never read back.
QString LineWithUnstorableCharacter(const QString& text)
{
    const auto found = std::find_if(text.begin(), text.end(), [](QChar c) { return c.unicode() > LastStorableCharacter; });
    if (found == text.end())
        return QString();
    const qsizetype at = found - text.begin();
    const qsizetype start = text.lastIndexOf(QLatin1Char('\n'), at) + 1;
    const qsizetype end = text.indexOf(QLatin1Char('\r'), at);
    return text.mid(start, end - start);
}

} // namespace

bool SaveArrayConfig(const QString& fileName)
{
    if (fileName.isEmpty() && (ProjectFileName == UnsavedProjectName || ProjectNeedsNewName))
        return SaveArrayConfigAs();
    const QString path = fileName.isEmpty() ? ProjectFileName : fileName;

    const QString text = BuildProjectText();
    if (const QString line = LineWithUnstorableCharacter(text); !line.isEmpty()) {
        ReportSaveFailure(path, QStringLiteral("\r\"") + line + QStringLiteral("\" holds a character that a project file cannot store."));
        return false;
    }
    const QByteArray bytes = text.toLatin1();
    DataBytes.assign(bytes.begin(), bytes.end());
    DataUBound = static_cast<std::int32_t>(DataBytes.size()) - 1;
    const QString checksum = ChecksumTag(Crc32Bytes(DataBytes));
    try {
        WriteProtectedFile(DataBytes, checksum, path);
    } catch (const VbError&) {
        ReportSaveFailure(path);
        return false;
    }

    ProjectFileName = path;
    ProjectNeedsNewName = false;
    Frame().SetTitle();
    MsgBox(QStringLiteral("File saved!"), vbOKOnly, QStringLiteral("Array Simulator"));
    ConfigChanged = VbFalse;
    return true;
}

bool SaveArrayConfigAs()
{
    CommonDialog& salva = Principale().Salva;
    PrepareProjectDialog(salva, QStringLiteral("Save"), QStringLiteral("LineArrayConfig (*.lac)|*.lac"));
    if (salva.FileName.isEmpty())
        salva.FileName = QStringLiteral("new");
    try {
        salva.ShowSave();
    } catch (const VbError&) {
        return false;
    }
    if (QFileInfo(salva.FileName).suffix().isEmpty())
        salva.FileName += QStringLiteral(".lac");
    return SaveArrayConfig(salva.FileName);
}
