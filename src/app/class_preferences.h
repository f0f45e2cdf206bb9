#pragma once

#include "output/file_output.h"
#include "pages/class_document.h"
#include "pages/pupil_names.h"
#include "texts/messages.h"
#include "worksheet/level.h"
#include "worksheet/sheet_code.h"

namespace virdamo::app {

/// What the class-sheets dialog remembers between runs in the user's settings: all of its
/// choices but the code. Values a later or a damaged settings file holds that this release
/// does not know read as the defaults.
struct ClassPreferences {
    int sheets = 1;
    pages::PageKinds pages = pages::PageKinds::Both;
    Level level;
    /// The decimals and the kind of sheet chosen last; its other fields are not kept.
    SheetCode shape;
    pages::PageOptions options;
    pages::NamesList names;

    bool operator==(const ClassPreferences&) const = default;

    /// The file they are kept in: virdamo/virdamo.conf in the user's configuration folder.
    [[nodiscard]] static QString fileName();
    /// The choices saved last, or the defaults. A file that cannot be read (a folder, a pipe,
    /// a device, one without permission) is never opened, and the defaults are all there is;
    /// a saved list of names that a names file could not hold is dropped whole. problem, when
    /// given, gets what the teacher is to be told of either, or stays as it is.
    [[nodiscard]] static ClassPreferences load(QString* problem = nullptr);
    /// Saves the choices for the next run; into nothing but a file the user can read, or none.
    void save() const;
};

}  // namespace virdamo::app
