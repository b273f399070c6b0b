#pragma once

#include "orvalis-db/record_source.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

// The program's plain text files (hint texts, quiz and BMI tables): authored in UTF-8, installed as
// Windows-1252 with CR LF line breaks.
namespace orvalis::dbtool {

// Converts a UTF-8 text to Windows-1252 with CR LF line breaks; errors name the file and line.
std::string ConvertTextFile(const TSourceFile& file, std::vector<TSourceError>& errors);

// The named sections of a converted file: a line "[name]" starts one, its body runs up to the next line that
// begins with "[". The first section of a name counts; lines are cut at 255 characters as the reader cuts
// them.
struct TSection {
    int HeaderLine = 0;
    std::vector<std::string> Lines;
};
std::map<std::string, TSection> ReadSections(std::string_view converted);

// What the quiz and the BMI test need of their files: every question 1 to 150 with its two sections, seven
// lines at least, line 7 naming alternative 1, 2 or 3 and an explanation after it; the six BMI sections.
std::vector<TSourceError> CheckQuizFile(const std::string& name, std::string_view converted);
std::vector<TSourceError> CheckBmiFile(const std::string& name, std::string_view converted);

} // namespace orvalis::dbtool
