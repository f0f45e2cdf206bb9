#pragma once

#include "app/class_set_output.h"
#include "pages/class_document.h"
#include "worksheet/level.h"

namespace virdamo::app {

/// What the class-sheets dialog remembers between runs in the user's settings: all of its
/// choices but the code. Values a later or a damaged settings file holds that this release
/// does not know read as the defaults.
struct ClassPreferences {
    int sheets = 1;
    pages::PageKinds pages = pages::PageKinds::Both;
    Level level;
    pages::PageOptions options;
    NamesList names;

    bool operator==(const ClassPreferences&) const = default;

    /// The choices saved last, or the defaults.
    [[nodiscard]] static ClassPreferences load();
    /// Saves the choices for the next run.
    void save() const;
};

}  // namespace virdamo::app
