#pragma once

class QIcon;

namespace virdamo::app {

/// The program's icon, a small worked column multiplication, carried by both windows.
[[nodiscard]] QIcon windowIcon();

}  // namespace virdamo::app
