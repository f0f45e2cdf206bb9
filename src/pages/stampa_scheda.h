#pragma once

#include "pages/page_options.h"

namespace virdamo {

struct Modulo1;
struct Sheet;

namespace pages {

class Printer;

/// Prints the sheet held in state as one job, in the layout of its multiplier length
/// (CifreMoltiplicatore 1, 2 or 3; any other value prints nothing): the heading, "SCHEDA
/// VIRDAMO" and the subtitle, then operations 0 to UltimaOperazione with the partial products
/// of the multiplier's digits. Reads the state only.
void StampaScheda(const Modulo1& state, Printer& printer);

/// Prints sheet as one job in the same layout, as the page of kind: a solution page as
/// "STAMPA" prints it, a pupils' page without the rows under the first rule.
void printSheet(const Sheet& sheet, PageKind kind, Printer& printer);

}  // namespace pages
}  // namespace virdamo
