// A contact sheet per screen variant: the six screens the program composes from the backgrounds,
// with sample text over every area in its design colours, and the program's other pictures.
#pragma once

#include "orvalis-skins/skin_table.h"

#include <QImage>

namespace orvalis::skins {

QImage PaintContactSheet(const TVariant& variant);

} // namespace orvalis::skins
