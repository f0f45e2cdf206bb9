#pragma once

#include "app/option_fields.h"
#include "worksheet/level.h"

#include <QGroupBox>

#include <array>
#include <optional>

class QCheckBox;
class QLabel;

namespace virdamo::app {

/// "Difficoltà": what the class is learning, as a sheet's operations are chosen for it: the
/// tables ("tabelline") the multiplier may use, ten check boxes 0 to 9, and the carries
/// ("riporti"), the decimals of the factors and the sheet of the powers of ten. Under them,
/// how many different operations that allows.
class LevelGroup final : public QGroupBox {
    Q_OBJECT

public:
    explicit LevelGroup(QWidget* parent);

    [[nodiscard]] Level level() const;
    /// Shows level without announcing a change.
    void setLevel(const Level& level);
    /// Puts the decimals and the kind of sheet shown into code.
    void readShape(SheetCode& code) const;
    /// Shows the decimals and the kind of sheet of code without announcing a change, and
    /// offers only the decimals that fit its digit counts.
    void showShape(const SheetCode& code);
    /// Tells how many operations level (the one shown, or a code's, which may count its
    /// carries as codes made before did) allows with these digit counts, and whether a
    /// sheet of operations of them repeats some; false when there is none at all.
    bool showCount(const Level& level, int multiplicandDigits, int multiplierDigits, int operations);

signals:
    /// The teacher changed the tables or the carries.
    void levelChanged();

private:
    std::array<QCheckBox*, 10> tables_{};
    std::optional<OptionFields> fields_;
    QLabel* count_ = nullptr;
};

}  // namespace virdamo::app
