// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/MachineFactTags.h"

#include <cstring>

QString decodeXmlText(QByteArrayView raw) {
    if (!raw.contains('&'))
        return QString::fromUtf8(raw);
    QString text;
    qsizetype at = 0;
    while (at < raw.size()) {
        const qsizetype amp = raw.indexOf('&', at);
        const qsizetype semicolon = amp < 0 ? -1 : raw.indexOf(';', amp);
        if (semicolon < 0) {
            text += QString::fromUtf8(raw.sliced(at));
            break;
        }
        text += QString::fromUtf8(raw.sliced(at, amp - at));
        const QByteArrayView entity = raw.sliced(amp + 1, semicolon - amp - 1);
        static const std::pair<QByteArrayView, char16_t> kNamed[] = {
            {"amp", u'&'}, {"lt", u'<'}, {"gt", u'>'}, {"quot", u'"'}, {"apos", u'\''}};
        bool known = false;
        for (const auto& [name, character] : kNamed) {
            if (entity == name) {
                text += QChar(character);
                known = true;
            }
        }
        if (!known && entity.startsWith('#')) {
            bool ok = false;
            const uint code = entity.startsWith("#x") ? entity.sliced(2).toUInt(&ok, 16)
                                                      : entity.sliced(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF) {
                const char32_t point = code;
                text += QString::fromUcs4(&point, 1);
                known = true;
            }
        }
        if (!known) // not an entity MAME writes: kept as it stands
            text += QString::fromUtf8(raw.sliced(amp, semicolon + 1 - amp));
        at = semicolon + 1;
    }
    return text;
}

namespace {

// The value of the attribute whose ` name="` is given, in a start tag as
// MAME prints it (double quotes, a blank before each name); empty when absent.
QByteArrayView attributeOf(QByteArrayView tag, QByteArrayView nameIs) {
    const qsizetype at = tag.indexOf(nameIs);
    if (at < 0)
        return {};
    const qsizetype from = at + nameIs.size();
    const qsizetype end = tag.indexOf('"', from);
    return end < 0 ? QByteArrayView() : tag.sliced(from, end - from);
}

int numberOf(QByteArrayView value) {
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : 0;
}

void appendWord(QString& words, QByteArrayView word) {
    if (!words.isEmpty())
        words += u' ';
    words += decodeXmlText(word);
}

// Whether the `available` bytes at `p` begin with `literal`; the length is
// known when compiling, so the comparison is a few instructions.
template <size_t N>
bool startsWithLiteral(const char* p, qsizetype available, const char (&literal)[N]) {
    return available >= static_cast<qsizetype>(N - 1) && std::memcmp(p, literal, N - 1) == 0;
}

} // namespace

// The fact tag that the `available` bytes at `p` (a "<") begin with. Most tags
// are <rom>, <chip>, <port>, <control>...: one look at the second byte
// passes them over.
FactTag factTagAt(const char* p, qsizetype available) {
    if (available < 2)
        return FactTag::None;
    switch (p[1]) {
    case 'y':
        return startsWithLiteral(p, available, "<year>") ? FactTag::Year : FactTag::None;
    case 'm':
        return startsWithLiteral(p, available, "<manufacturer>") ? FactTag::Manufacturer
                                                                 : FactTag::None;
    case 'd':
        if (startsWithLiteral(p, available, "<disk "))
            return FactTag::Disk;
        if (startsWithLiteral(p, available, "<display "))
            return FactTag::Display;
        return startsWithLiteral(p, available, "<driver ") ? FactTag::Driver : FactTag::None;
    case 'i':
        return startsWithLiteral(p, available, "<input ") ? FactTag::Input : FactTag::None;
    case 'f':
        return startsWithLiteral(p, available, "<feature ") ? FactTag::Feature : FactTag::None;
    case 's':
        return startsWithLiteral(p, available, "<softwarelist ") ? FactTag::SoftwareList
                                                                 : FactTag::None;
    default:
        return FactTag::None;
    }
}

QByteArrayView factTagEnd(FactTag tag) {
    switch (tag) {
    case FactTag::Year:
        return "</year>";
    case FactTag::Manufacturer:
        return "</manufacturer>";
    default:
        return ">";
    }
}

void readFactTag(FactTag tag, QByteArrayView bytes, MachineFacts& facts) {
    // The text between the start tag and the end tag.
    const auto text = [&](qsizetype startLength) {
        const qsizetype endLength = startLength + 1;
        return decodeXmlText(bytes.sliced(startLength, bytes.size() - startLength - endLength));
    };
    switch (tag) {
    case FactTag::Year:
        facts.year = text(6);
        break;
    case FactTag::Manufacturer:
        facts.manufacturer = text(14);
        break;
    case FactTag::Disk:
        facts.needsDisk = facts.needsDisk || attributeOf(bytes, " optional=\"") != "yes";
        break;
    case FactTag::Display:
        if (facts.screens++ == 0) {
            facts.screenType = decodeXmlText(attributeOf(bytes, " type=\""));
            facts.screenRotation = numberOf(attributeOf(bytes, " rotate=\""));
        }
        break;
    case FactTag::Driver: {
        const QByteArrayView status = attributeOf(bytes, " status=\"");
        facts.status = status == "good"          ? DriverStatus::Good
                       : status == "imperfect"   ? DriverStatus::Imperfect
                       : status == "preliminary" ? DriverStatus::Preliminary
                                                 : DriverStatus::Unknown;
        break;
    }
    case FactTag::Input:
        facts.players = numberOf(attributeOf(bytes, " players=\""));
        facts.coins = numberOf(attributeOf(bytes, " coins=\""));
        break;
    case FactTag::Feature: {
        QByteArrayView status = attributeOf(bytes, " status=\"");
        if (status.isEmpty())
            status = attributeOf(bytes, " overall=\"");
        const QByteArrayView type = attributeOf(bytes, " type=\"");
        if (status == "imperfect")
            appendWord(facts.imperfectFeatures, type);
        else if (status == "unemulated")
            appendWord(facts.unemulatedFeatures, type);
        break;
    }
    case FactTag::SoftwareList:
        appendWord(facts.softwareLists, attributeOf(bytes, " name=\""));
        break;
    case FactTag::None:
        break;
    }
}
