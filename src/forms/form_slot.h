#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace virdamo::forms {

class Form;

/// Counts the loaded windows of the application and announces when the last one unloads:
/// the application ends when no window is loaded, and only then.
class Lifecycle final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    [[nodiscard]] int loadedCount() const { return loaded_; }

signals:
    /// The last loaded window has unloaded.
    void ended();

private:
    friend class FormSlot;
    void formLoaded();
    void formUnloaded();

    int loaded_ = 0;
};

/// The single instance of one window: loaded on demand from its design, shown modeless,
/// unloaded (destroyed) on request or when closed from its title bar.
class FormSlot final {
public:
    using Factory = std::function<std::unique_ptr<Form>()>;

    FormSlot(Lifecycle& lifecycle, Factory factory);
    ~FormSlot();

    FormSlot(const FormSlot&) = delete;
    FormSlot& operator=(const FormSlot&) = delete;

    /// Creates the window from its design and runs its load step, unless it is loaded.
    Form* load();
    /// Loads if needed, makes the window visible and brings it to the front as the active
    /// window. A window that opens is centred on its screen, shrunk to the screen's
    /// available area if its design size does not fit.
    Form* show();
    /// Runs the unload step and destroys the window, if it is loaded.
    void unload();

    [[nodiscard]] bool isLoaded() const { return form_ != nullptr; }
    [[nodiscard]] Form* form() const { return form_; }
    template <typename T>
    [[nodiscard]] T* formAs() const
    {
        return dynamic_cast<T*>(form_);
    }

private:
    Lifecycle& lifecycle_;
    Factory factory_;
    Form* form_ = nullptr;
    bool unloading_ = false;
};

}  // namespace virdamo::forms
