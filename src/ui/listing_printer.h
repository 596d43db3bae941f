#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

class QPrinter;

// Listings on paper, printed the way a line printer prints them: the MPS grid's font at 11
// points, line by line from the top-left corner of the printable area, a new page when the
// next line no longer fits, and a line too wide for the page broken where it stops fitting.
namespace vellar::ui {

// Blanks in front of every listing line: room for holes and staples on the left.
inline constexpr int kListingIndent = 12;
// Empty lines above the listing, on the first page only.
inline constexpr int kListingTopLines = 2;
inline constexpr int kListingPointSize = 11;
// Printer pixels between two written lines.
inline constexpr int kListingLineGap = 2;

// Prints the listing (UTF-8 lines) on a printer that is set up already, by the print dialog
// or for a PDF file; the title becomes the document name. Returns the error text when the
// printer refuses the job.
std::optional<QString> PrintLines(QPrinter& printer, const std::vector<std::string>& lines,
                                  const QString& title);

}  // namespace vellar::ui
