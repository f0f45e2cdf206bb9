#include "worksheet/sheet.h"

#include "worksheet/modulo1.h"

namespace virdamo {

Sheet sheetOf(const SheetCode& code, const Conventions& conventions)
{
    Modulo1 drawn;
    makeSheet(code, drawn);
    return sheetOf(drawn, conventions);
}

Sheet sheetOf(const Modulo1& m, const Conventions& conventions)
{
    Sheet sheet{m.CifreMoltiplicando, m.CifreMoltiplicatore, {}};
    sheet.operations.reserve(static_cast<std::size_t>(m.UltimaOperazione + 1));
    for (std::size_t i = 0; i <= static_cast<std::size_t>(m.UltimaOperazione); ++i) {
        if (m.ValMoltiplicando[i] != 0) {
            sheet.operations.push_back(workOut(m.ValMoltiplicando[i], m.ValMoltiplicatore[i], conventions));
        }
    }
    return sheet;
}

}  // namespace virdamo
