#include "reading/reading_state.h"

namespace orvalis {

void TReadingState::SetSection(char section) {
    Clear(nfSections);
    switch (section) {
    case '1':
        Set(nfSection1);
        break;
    case '2':
        Set(nfSection2);
        break;
    case '3':
        Set(nfSection3);
        break;
    default:
        break;
    }
}

char TReadingState::SectionCode() const {
    if (Has(nfSection1))
        return '1';
    if (Has(nfSection2))
        return '2';
    if (Has(nfSection3))
        return '3';
    return 0;
}

} // namespace orvalis
