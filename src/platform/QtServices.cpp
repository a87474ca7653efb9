#include "platform/QtServices.h"
#include "core/Settings.h"
#include "platform/VbColor.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>

namespace {
Services*& installed()
{
    static Services* s = nullptr;
    return s;
}
}

Services& Svc()
{
    static QtServices qt;
    return installed() ? *installed() : qt;
}

void InstallServices(Services* s) { installed() = s; }

int MsgBox(const QString& text, int style, const QString& title) { return Svc().MessageBox(text, style, title); }

void DoEvents() { Svc().DoEvents(); }

int QtServices::MessageBox(const QString& text, int style, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? AppTitle : title);
    box.setText(text);
    switch (style & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct Choice { QString text; int answer; QMessageBox::ButtonRole role; };
    std::vector<Choice> choices;
    switch (style & 0x7) {
    case vbOKCancel: choices = {{"OK", vbOK, QMessageBox::AcceptRole}, {"Cancel", vbCancel, QMessageBox::RejectRole}}; break;
    case vbAbortRetryIgnore:
        choices = {{"&Abort", vbAbort, QMessageBox::RejectRole}, {"&Retry", vbRetry, QMessageBox::AcceptRole},
                   {"&Ignore", vbIgnore, QMessageBox::AcceptRole}};
        break;
    case vbYesNoCancel:
        choices = {{"&Yes", vbYes, QMessageBox::YesRole}, {"&No", vbNo, QMessageBox::NoRole}, {"Cancel", vbCancel, QMessageBox::RejectRole}};
        break;
    case vbYesNo: choices = {{"&Yes", vbYes, QMessageBox::YesRole}, {"&No", vbNo, QMessageBox::NoRole}}; break;
    case vbRetryCancel: choices = {{"&Retry", vbRetry, QMessageBox::AcceptRole}, {"Cancel", vbCancel, QMessageBox::RejectRole}}; break;
    default: choices = {{"OK", vbOK, QMessageBox::AcceptRole}}; break;
    }
    std::vector<QAbstractButton*> buttons;
    for (const Choice& c : choices)
        buttons.push_back(box.addButton(c.text, c.role));
    box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i])
            return choices[i].answer;
    // Closed with Escape or the window's close box: the cancelling answer where there is one.
    for (const Choice& c : choices)
        if (c.answer == vbCancel || c.answer == vbNo)
            return c.answer;
    return choices.front().answer;
}

QString QtFilterFromVb(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i];
        const QString pattern = QString(parts[i + 1]).replace(';', ' ');
        if (!desc.contains('('))
            desc += " (" + pattern + ")";
        out << desc;
    }
    return out.join(";;");
}

static QString selectedFilter(const FileDialogRequest& r)
{
    const QStringList list = QtFilterFromVb(r.filter).split(";;");
    const int i = r.filterIndex - 1;
    return i >= 0 && i < list.size() ? list[i] : QString();
}

static QString startPath(const FileDialogRequest& r)
{
    if (r.fileName.isEmpty())
        return r.initialFolder;
    if (r.fileName.contains('/') || r.initialFolder.isEmpty())
        return r.fileName;
    return r.initialFolder + "/" + r.fileName;
}

std::optional<QString> QtServices::OpenFileDialog(const FileDialogRequest& r)
{
    QString sel = selectedFilter(r);
    const QString path = QFileDialog::getOpenFileName(QApplication::activeWindow(), r.title.isEmpty() ? "Open" : r.title,
                                                      startPath(r), QtFilterFromVb(r.filter), &sel);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtServices::SaveFileDialog(const FileDialogRequest& r)
{
    QString sel = selectedFilter(r);
    const QString path = QFileDialog::getSaveFileName(QApplication::activeWindow(), r.title.isEmpty() ? "Save As" : r.title,
                                                      startPath(r), QtFilterFromVb(r.filter), &sel);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<std::int32_t> QtServices::ColorDialog(std::int32_t initial)
{
    const QColor c = QColorDialog::getColor(ColorFromVb(initial), QApplication::activeWindow());
    if (!c.isValid())
        return std::nullopt;
    return VbRGB(c.red(), c.green(), c.blue());
}

void QtServices::DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

QDateTime QtServices::Now() { return QDateTime::currentDateTime(); }

double QtServices::SecondsSinceMidnight() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

QString QtServices::ProgramFolder() { return QCoreApplication::applicationDirPath(); }

QStringList QtServices::PrinterNames() { return QPrinterInfo::availablePrinterNames(); }

int QtServices::DefaultPrinterIndex()
{
    const QString def = QPrinterInfo::defaultPrinterName();
    return int(QPrinterInfo::availablePrinterNames().indexOf(def));
}

QStringList QtServices::PrinterModels()
{
    QStringList models;
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        models << QPrinterInfo::printerInfo(name).makeAndModel();
    return models;
}
