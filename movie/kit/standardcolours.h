#pragma once

#include <QString>
#include <optional>

namespace pptdrill {

struct Rgb
{
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const Rgb&) const = default;
};

// A colour as the kit's palettes and colour boxes name it: one of the forty colours of the
// standard palette by the name its tooltip gives it ("海绿"), "RGB(r,g,b)", or "#RRGGBB" as a
// document gives it. None for a scheme colour, a command (自动, 其他颜色(M)...) or nothing.
std::optional<Rgb> namedColour(const QString& name);
// Whether `name` is one of the forty standard colours.
bool isStandardColour(const QString& name);

} // namespace pptdrill
