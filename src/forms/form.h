#pragma once

#include "forms/control.h"
#include "layout/proportional_layout.h"
#include "layout/twips.h"

#include <QHash>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QButtonGroup;
class QPainter;

namespace virdamo::forms {

class FormSlot;

/// A window's design-time properties.
struct FormDesign {
    QString caption;
    float innerWidth = 0.0F;   ///< twips
    float innerHeight = 0.0F;  ///< twips
    QColor background;
    FontSpec defaultFont;
};

/// A top-level window holding its controls in one fixed order (each control-array member
/// counted once), addressed by name and 16-bit index. A subclass creates its controls
/// from its design in its constructor; a FormSlot loads, shows and unloads it.
class Form : public QWidget, public layout::LayoutWindow {
    Q_OBJECT

public:
    explicit Form(const FormDesign& design);
    ~Form() override;

    // Design building: each call appends one control to the collection.
    Label& addLabel(const QString& name, std::int16_t index, Control* container, TwipRect geometry,
                    const LabelDesign& design);
    Frame& addFrame(const QString& name, std::int16_t index, Control* container, TwipRect geometry,
                    const QColor& background);
    OptionButton& addOption(const QString& name, std::int16_t index, Control* container, TwipRect geometry,
                            const ButtonDesign& design);
    CommandButton& addCommandButton(const QString& name, std::int16_t index, Control* container, TwipRect geometry,
                                    const ButtonDesign& design);
    Shape& addShape(const QString& name, std::int16_t index, Control* container, TwipRect geometry,
                    const ShapeDesign& design);
    Line& addLine(const QString& name, std::int16_t index, Control* container, const LineDesign& design);

    /// Orders keyboard focus: each control's widget follows the one before it.
    void setTabOrder(std::initializer_list<Control*> order);

    // layout::LayoutWindow: the controls and the inner size in twips.
    [[nodiscard]] int controlCount() const override;
    [[nodiscard]] Control& control(int i) override;
    [[nodiscard]] float innerWidth() const override;
    [[nodiscard]] float innerHeight() const override;
    /// Sets the inner size in twips.
    void setInnerSize(float widthTwips, float heightTwips);

    /// Logical dots per inch of the window's screen, by which twips become pixels.
    [[nodiscard]] float dpiX() const;
    [[nodiscard]] float dpiY() const;

    /// The Qt widget that holds the controls of container (the window itself for nullptr).
    [[nodiscard]] QWidget* widgetFor(Control* container);
    /// The group keeping the options of container mutually exclusive (created on first use).
    [[nodiscard]] QButtonGroup* optionGroupFor(Control* container);
    /// Paints the visible lines whose container is container.
    void paintLines(QPainter& painter, const Control* container) const;

    /// Unloads this window through its slot (or runs its unload step and destroys it).
    void unload();

    /// Runs command as one command of this window (a click runs as one): the captions and
    /// the visibility it gives the controls are drawn once, as net changes, when it ends.
    /// A command run inside another joins it.
    void runCommand(const std::function<void()>& command);
    [[nodiscard]] bool commandRunning() const { return commandDepth_ > 0; }
    /// Keeps control for the end of the running command, when its changes are applied.
    void queueChange(Control& control);

protected:
    /// Load step: runs once per load, after the controls exist and before the first display.
    virtual void Form_Load() {}
    /// Resize step: runs at every change of the inner size, the first display included.
    virtual void Form_Resize() {}
    /// Unload step: runs before the controls are destroyed, also on a close from the title bar.
    virtual void Form_Unload() {}

    /// Records the proportional layout of every control from the current inner size.
    void recordControlRatios();
    /// Moves the controls to their recorded fractions of the current inner size.
    void applyControlRatios();

    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend class FormSlot;

    template <typename T, typename... Args>
    T& append(Args&&... args);

    void runLoad();
    void runUnload();
    void endCommand();

    FormDesign design_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<const Line*> lines_;
    QHash<const Control*, QButtonGroup*> optionGroups_;
    layout::ControlRatios ratios_;
    FormSlot* slot_ = nullptr;
    bool unloaded_ = false;
    int commandDepth_ = 0;
    std::vector<Control*> changed_;
};

}  // namespace virdamo::forms
