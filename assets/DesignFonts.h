#pragma once
// The fonts the design names, drawn with their metric-compatible Debian stand-ins.

namespace kx4 {

// Maps "Arial" to Liberation Sans and "Calibri" to Carlito for every font made afterwards in this
// process; call once the application object exists.
void SubstituteDesignFonts();

} // namespace kx4
