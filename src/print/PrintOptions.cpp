#include "print/PrintOptions.h"
#include "print/PrinterList.h"

std::int16_t PrinterIndex = 0;
std::int16_t PrintCopies = 0;
std::int16_t PrintQuality = 0;

void ResetPrintOptions()
{
    PrintOptionsSet = VbFalse;
    PrinterIndex = 0;
    PrintCopies = 0;
    PrintQuality = 0;
    PrintClusterDetails = VbTrue;
    PrintBoxesDetails = VbTrue;
    PrintBoxesAngles = VbTrue;
    PrintBoxesNames = VbTrue;
    ForgetCurrentPrinter();
}
