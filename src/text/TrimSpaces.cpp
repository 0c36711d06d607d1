#include "text/TrimSpaces.h"

qsizetype LeadingSpaces(QStringView text) {
    qsizetype count = 0;
    while (count < text.size() && text[count] == u' ')
        ++count;
    return count;
}

qsizetype TrailingSpaces(QStringView text) {
    qsizetype count = 0;
    while (count < text.size() && text[text.size() - 1 - count] == u' ')
        ++count;
    return count;
}

QString TrimSpaces(QStringView text) {
    const qsizetype lead = LeadingSpaces(text);
    if (lead == text.size())
        return {};
    return text.sliced(lead, text.size() - lead - TrailingSpaces(text)).toString();
}
