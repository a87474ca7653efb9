#include "print/PrinterList.h"
#include "platform/Services.h"

#include <optional>
#include <utility>
#include <vector>

namespace {

using PrinterId = std::pair<QString, QString>;

std::optional<PrinterId>& current()
{
    static std::optional<PrinterId> id;
    return id;
}

const PrinterId PdfFileId{QStringLiteral("PDF File"), QStringLiteral("*.pdf")};

// The two identifying texts of every item, the PDF entry last.
std::vector<PrinterId> Ids()
{
    const QStringList names = Svc().PrinterNames();
    const QStringList models = Svc().PrinterModels();
    std::vector<PrinterId> ids;
    for (qsizetype i = 0; i < names.size(); ++i)
        ids.emplace_back(names[i], i < models.size() ? models[i] : QString());
    ids.push_back(PdfFileId);
    return ids;
}

} // namespace

QStringList PrinterListItems()
{
    QStringList items;
    for (const PrinterId& id : Ids())
        items << id.first + " [" + id.second + "]";
    return items;
}

bool IsPdfItem(int index)
{
    return index < 0 || index >= Svc().PrinterNames().size();
}

int DefaultPrinterItem()
{
    const int def = Svc().DefaultPrinterIndex();
    return def >= 0 && def < Svc().PrinterNames().size() ? def : 0;
}

int CurrentPrinterItem()
{
    if (current()) {
        const std::vector<PrinterId> ids = Ids();
        for (std::size_t i = 0; i < ids.size(); ++i)
            if (ids[i] == *current())
                return int(i);
    }
    return DefaultPrinterItem();
}

void MakePrinterCurrent(int index)
{
    const std::vector<PrinterId> ids = Ids();
    current() = IsPdfItem(index) ? PdfFileId : ids[std::size_t(index)];
}

void ForgetCurrentPrinter() { current().reset(); }
