#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace virdamo {

struct Level;
struct Modulo1;
class RandomSource;

/// Generates a new sheet into the worksheet state: clears the text rows of all twenty
/// operations and the digit texts, reseeds once, then draws and works out operations
/// 0 to UltimaOperazione. Settings out of range are a programming error: they assert in
/// debug builds and, in release builds, leave the sheet empty rather than malformed.
void GeneraScheda(Modulo1& m, RandomSource& random);

/// Generates a new sheet of operations that level allows, clearing and filling the worksheet
/// state as GeneraScheda does. The default level is GeneraScheda itself. At any other level
/// the operations are drawn as the level's format draws them (AllowedOperations::draw): no
/// operation appears twice while the level allows at least as many as the sheet holds
/// (Level::repeatsOperations tells beforehand). A level that allows none leaves the sheet empty.
void GeneraScheda(Modulo1& m, const Level& level, RandomSource& random);

/// The decimal digits of value (>= 0), preceded by the blanks taken from the start of
/// spazi that make the text exactly width characters long.
[[nodiscard]] std::string rightAligned(const std::string& spazi, std::int32_t value, std::size_t width);

/// rightAligned written into row, reusing its storage.
void assignRightAligned(std::string& row, const std::string& spazi, std::int32_t value, std::size_t width);

}  // namespace virdamo
