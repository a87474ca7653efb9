#pragma once
#include <QString>
#include <QStringList>

// The printers a report can go to, as the print dialog lists them: each installed printer in the
// system's order as "name [make and model]", then the entry that writes a PDF file, so that a report
// can be produced on a machine without any printer. An item's index is the printer's index in the
// system's list.

inline const QString PdfFileItem = QStringLiteral("PDF File [*.pdf]");

QStringList PrinterListItems();
// Whether the item writes a PDF file: the PDF entry, and any index outside the installed printers.
bool IsPdfItem(int index);
// The item of the current printer: the one last printed to while it is still installed, else the
// system's default printer, else the first item (the PDF entry when there is no printer).
int CurrentPrinterItem();
// The system's default printer, else the first item.
int DefaultPrinterItem();
// Printing makes the chosen item the current printer.
void MakePrinterCurrent(int index);
// Back to the system's default printer.
void ForgetCurrentPrinter();
