#pragma once

class PrintTarget;

// Draws the one-page report "Cluster Configuration" of the current array on `target`: on the
// preview picture (toPrinter false, cleared first) or as one printed document (toPrinter true).
// It reads the shared geometry and mechanics results, the print options and the vertical view's
// rows and mounting fields, and changes nothing but the target.
// An array without extent (nothing computed yet) leaves the preview empty. A report that fails part
// way stays as drawn on the preview; on paper the document is dropped and the user told, unless the
// user cancelled the choice of the PDF file.
void PrintClusterConfiguration(PrintTarget& target, bool toPrinter);
