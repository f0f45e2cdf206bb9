#pragma once

namespace virdamo {

struct Modulo1;

namespace print {

class Printer;

/// Prints the sheet held in state as one job, in the layout of its multiplier length
/// (CifreMoltiplicatore 1, 2 or 3; any other value prints nothing). Reads the state only.
void StampaScheda(const Modulo1& state, Printer& printer);

/// One job for 1-digit multipliers: heading, operations 0 to UltimaOperazione, end of document.
void StampaUnaCifra(const Modulo1& state, Printer& printer);
/// One job for 2-digit multipliers, with the two partial products.
void StampaDueCifre(const Modulo1& state, Printer& printer);
/// One job for 3-digit multipliers, with the three partial products.
void StampaTreCifre(const Modulo1& state, Printer& printer);

/// The page heading: "SCHEDA VIRDAMO" at 1000,500 twips in 16 pt, then Sottotitolo at
/// 1000,1500 in 12 pt. Relies on the font name its caller has set; begins the job.
void StampaIntestazione(const Modulo1& state, Printer& printer);

}  // namespace print
}  // namespace virdamo
