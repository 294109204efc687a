#include "assets/DesignFonts.h"

#include <QFont>

namespace kx4 {

void SubstituteDesignFonts()
{
    QFont::insertSubstitution("Arial", "Liberation Sans");
    QFont::insertSubstitution("Calibri", "Carlito");
}

} // namespace kx4
