// The small illustrations the book's texts show inline: 120x90 plates on paper, named by topic.
#pragma once

#include <QImage>

#include <span>
#include <string_view>

namespace orvalis::skins {

std::span<const std::string_view> TopicPictureNames(); // "citrus", "groente", ...
// A null image for an unknown name; a density of 2 draws it with twice the pixels each way.
QImage PaintTopicPicture(std::string_view name, int density = 1);

} // namespace orvalis::skins
