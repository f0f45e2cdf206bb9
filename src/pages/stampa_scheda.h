#pragma once

namespace virdamo {

struct Modulo1;

namespace pages {

class Printer;

/// Prints the sheet held in state as one job, in the layout of its multiplier length
/// (CifreMoltiplicatore 1, 2 or 3; any other value prints nothing): the heading, "SCHEDA
/// VIRDAMO" and the subtitle, then operations 0 to UltimaOperazione with the partial products
/// of the multiplier's digits. Reads the state only.
void StampaScheda(const Modulo1& state, Printer& printer);

}  // namespace pages
}  // namespace virdamo
