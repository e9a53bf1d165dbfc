#include "import/text/XmlCharacters.h"

#include <algorithm>

namespace quillmere {

void XmlExclusions::add(QStringView text) {
    if (count_ > 0) {
        count_ += std::count_if(text.begin(), text.end(), [](QChar c) { return !isXmlCharacter(c); });
        return;
    }
    for (const QChar c : text) {
        if (c == u'\n') {
            ++row_;
        } else if (!isXmlCharacter(c)) {
            if (count_++ == 0) {
                firstRow_ = row_;
            }
        }
    }
}

} // namespace quillmere
