#include "database/ListXmlImport.h"

#include "database/DatabaseFile.h"
#include "text/Sorting.h"

#include <QIODevice>
#include <QLocale>
#include <algorithm>
#include <cstring>

namespace {

const QString kListing = QStringLiteral("machine listing (-listxml)");
constexpr qint64 kChunkSize = 1 << 16;

bool isYes(const QXmlStreamAttributes& attributes, QLatin1StringView name) {
    return attributes.value(name) == QLatin1StringView("yes");
}

// "capcom/cps1.cpp" -> "cps1": the file name without folder or extension.
QString driverFromSourceFile(QStringView sourceFile) {
    const qsizetype slash = std::max(sourceFile.lastIndexOf(u'/'), sourceFile.lastIndexOf(u'\\'));
    QStringView file = sourceFile.mid(slash + 1);
    const qsizetype dot = file.lastIndexOf(u'.');
    if (dot > 0)
        file = file.left(dot);
    return file.toString();
}

bool isXmlBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The text of an element or attribute as MAME writes it: UTF-8 with the five
// named entities and character references.
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

// The bytes that end a fact tag: a text element's end tag, else the end of
// the start tag.
QByteArrayView factTagEnd(bool textElement, bool year) {
    if (!textElement)
        return ">";
    return year ? QByteArrayView("</year>") : QByteArrayView("</manufacturer>");
}

constexpr qsizetype kLongestFactTag = 14; // "<manufacturer>", "<softwarelist "

// MAME prints nothing after its closing tag but a line end.
QString trailingContent() {
    return QStringLiteral("MAME's %1 goes on after its closing </mame> tag.").arg(kListing);
}

} // namespace

ListXmlReader::ListXmlReader() {
    m_xml.setNamespaceProcessing(false);
}

void ListXmlReader::addData(const QByteArray& chunk) {
    if (!m_failure.isEmpty() || chunk.isEmpty())
        return;
    m_sawData = true;
    m_pending += chunk;
    pass(false);
}

// Hands the pending bytes to the XML reader, all but the part of each machine
// after its </description>: its ROMs, chips, inputs and the rest are about 95%
// of the document and none of them is kept, so they are passed over by a
// search for the machine's end tag, which the reader then reads. A few bytes
// stay pending while they could be the start of a tag searched for, unless
// the output has ended.
void ListXmlReader::pass(bool outputEnded) {
    static const QByteArrayView kDescriptionEnd("</description>");
    qsizetype at = 0;
    while (m_failure.isEmpty() && !m_documentEnded && at < m_pending.size()) {
        if (m_skipTo.isEmpty()) {
            const qsizetype end = m_pending.indexOf(kDescriptionEnd, at);
            const qsizetype upTo =
                end >= 0
                    ? end + kDescriptionEnd.size()
                    : (outputEnded ? m_pending.size()
                                   : std::max(at, m_pending.size() - kDescriptionEnd.size() + 1));
            if (upTo == at)
                break;
            m_xml.addData(m_pending.sliced(at, upTo - at));
            at = upTo;
            readAvailable();
            // Only a machine's own description starts a skip.
            if (end >= 0 && m_depth == 2 && !m_machineEndTag.isEmpty())
                m_skipTo = m_machineEndTag;
        } else if (m_keepMachine) {
            if (!readMachineRest(at, outputEnded))
                break;
            m_skipTo.clear();
        } else {
            const qsizetype end = m_pending.indexOf(m_skipTo, at);
            if (end < 0) {
                // A cut-off machine stays unread: finish() finds no </mame>.
                at = outputEnded ? m_pending.size()
                                 : std::max(at, m_pending.size() - m_skipTo.size() + 1);
                break;
            }
            at = end;
            m_skipTo.clear();
        }
    }
    if (m_documentEnded && m_failure.isEmpty()) {
        // The reader has let the document go: what follows is checked here.
        if (std::any_of(m_pending.cbegin() + at, m_pending.cend(),
                        [](char c) { return !isXmlBlank(c); }))
            fail(trailingContent());
        at = m_pending.size();
    }
    m_pending.remove(0, at);
}

void ListXmlReader::fail(QString message) {
    if (m_failure.isEmpty())
        m_failure = std::move(message);
    m_games = {};
    m_machine = {};
    m_facts = {};
    m_machineFacts = {};
    m_pending = {};
    m_xml.clear(); // drops what is buffered
}

void ListXmlReader::readAvailable() {
    while (m_failure.isEmpty()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
            startElement();
            break;
        case QXmlStreamReader::EndElement:
            endElement();
            break;
        case QXmlStreamReader::Characters:
            if (m_inDescription)
                m_machine.description += m_xml.text();
            break;
        case QXmlStreamReader::Invalid:
            // Running out of data only means that MAME has not printed the
            // rest yet; finish() decides whether the document was whole.
            if (m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError && m_rootClosed) {
                fail(trailingContent());
            } else if (m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError) {
                QString reason = m_xml.errorString();
                while (reason.endsWith(u'.'))
                    reason.chop(1);
                // Qt's position is unreliable here: an encoding fault is placed
                // where the reader began to decode the piece that holds it.
                fail(QStringLiteral("MAME's %1 is not well-formed XML: %2.").arg(kListing, reason));
            }
            return;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
            if (m_rootClosed)
                fail(trailingContent());
            break;
        case QXmlStreamReader::EndDocument:
            m_documentEnded = true;
            return;
        default:
            break;
        }
    }
}

void ListXmlReader::startElement() {
    ++m_depth;
    if (m_depth == 1) {
        if (m_xml.name() != QLatin1StringView("mame"))
            fail(QStringLiteral("MAME's %1 starts with <%2> where <mame> was expected.")
                     .arg(kListing, m_xml.name().toString()));
        return;
    }
    if (m_depth == 2) {
        // Releases before 0.162 call a machine <game>. The end tag is searched
        // for without its ">", which may follow blanks.
        if (m_xml.name() == QLatin1StringView("machine"))
            m_machineEndTag = "</machine";
        else if (m_xml.name() == QLatin1StringView("game"))
            m_machineEndTag = "</game";
        else
            return;
        ++m_machinesSeen;
        const QXmlStreamAttributes attributes = m_xml.attributes();
        m_keepMachine = !isYes(attributes, QLatin1StringView("isdevice")) &&
                        !isYes(attributes, QLatin1StringView("isbios")) &&
                        attributes.value(QLatin1StringView("runnable")) != QLatin1StringView("no");
        m_hasDescription = false;
        if (!m_keepMachine)
            return;
        if (std::ssize(m_games) == kMaxGames) {
            fail(QStringLiteral("MAME's %1 holds more than %2 machines that can be run, more than "
                                "the database can hold.")
                     .arg(kListing, QLocale(QLocale::English).toString(kMaxGames)));
            return;
        }
        m_machine = GameRecord{};
        m_machine.name = attributes.value(QLatin1StringView("name")).toString();
        m_machine.parent = attributes.value(QLatin1StringView("cloneof")).toString();
        const QStringView sourceFile = attributes.value(QLatin1StringView("sourcefile"));
        m_machine.driver = driverFromSourceFile(sourceFile);
        m_machineFacts = MachineFacts{};
        m_machineFacts.name = m_machine.name;
        m_machineFacts.cloneOf = m_machine.parent;
        m_machineFacts.sourceFile = sourceFile.toString();
        m_machineFacts.mechanical = isYes(attributes, QLatin1StringView("ismechanical"));
        return;
    }
    if (m_depth == 3 && m_keepMachine && !m_hasDescription &&
        m_xml.name() == QLatin1StringView("description"))
        m_inDescription = true;
}

void ListXmlReader::endElement() {
    --m_depth;
    if (m_depth == 2 && m_inDescription) {
        m_inDescription = false;
        m_hasDescription = true;
    } else if (m_depth == 1) {
        m_machineEndTag.clear();
        if (m_keepMachine)
            keepMachine();
    } else if (m_depth == 0) {
        m_rootClosed = true;
    }
}

void ListXmlReader::keepMachine() {
    m_keepMachine = false;
    m_machine.description.replace(u'|', u'/');
    if (const std::optional<QString> reason = unreadableReason(m_machine)) {
        const QString label =
            m_machine.name.isEmpty()
                ? QStringLiteral("machine number %1 of the listing").arg(m_machinesSeen)
                : QStringLiteral("the machine \"%1\"").arg(m_machine.name);
        fail(QStringLiteral("MAME's %1 gives %2 %3, which the database cannot hold.")
                 .arg(kListing, label, *reason));
        return;
    }
    m_games.push_back(std::move(m_machine));
    m_machine = GameRecord{};
    m_facts.push_back(std::move(m_machineFacts));
    m_machineFacts = MachineFacts{};
}

// Reads a kept machine's rest from `at` up to its end tag, keeping the facts
// of the tags it holds. True with `at` on the end tag; false when the
// pending output ends first, with `at` past what has been read (a tag cut
// off by the chunk's end stays pending unless the output has ended).
// The fact tag that the `available` bytes at `p` (a "<") begin with. Most tags
// are <rom>, <chip>, <port>, <control>...: one look at the second byte
// passes them over.
ListXmlReader::FactTag ListXmlReader::factTagAt(const char* p, qsizetype available) {
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

bool ListXmlReader::readMachineRest(qsizetype& at, bool outputEnded) {
    const char* const data = m_pending.constData();
    const qsizetype size = m_pending.size();
    while (at < size) {
        const void* found = std::memchr(data + at, '<', static_cast<size_t>(size - at));
        if (!found)
            break;
        const qsizetype open = static_cast<const char*>(found) - data;
        const char* const p = data + open;
        const qsizetype available = size - open;
        if (available < kLongestFactTag && !outputEnded) {
            at = open;
            return false;
        }
        at = open + 1;
        if (p[1] == '/') {
            if (available >= m_skipTo.size() &&
                std::memcmp(p, m_skipTo.constData(), m_skipTo.size()) == 0) {
                at = open;
                return true;
            }
            continue;
        }
        const FactTag tag = factTagAt(p, available);
        if (tag == FactTag::None)
            continue;
        const QByteArrayView rest(p, available);
        const QByteArrayView ending =
            factTagEnd(tag == FactTag::Year || tag == FactTag::Manufacturer, tag == FactTag::Year);
        const qsizetype end = rest.indexOf(ending, 2);
        if (end < 0) {
            at = outputEnded ? size : open;
            return false;
        }
        readFactTag(tag, rest.first(end + ending.size()));
        at = open + end + ending.size();
    }
    at = size;
    return false;
}

void ListXmlReader::readFactTag(FactTag tag, QByteArrayView bytes) {
    MachineFacts& facts = m_machineFacts;
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

Outcome<GameTable> ListXmlReader::finish(bool caseInsensitive) {
    pass(true);
    if (m_failure.isEmpty()) {
        if (!m_sawData)
            fail(QStringLiteral("MAME's %1 is empty.").arg(kListing));
        else if (!m_rootClosed)
            fail(QStringLiteral("MAME's %1 ends before its closing </mame> tag, so MAME did not "
                                "finish it.")
                     .arg(kListing));
        else if (m_games.empty())
            fail(QStringLiteral("MAME's %1 holds no machine that can be run.").arg(kListing));
    }
    if (!m_failure.isEmpty())
        return Failure{m_failure};

    // The table never holds more than kMaxGames records, so the count fits.
    sortGames(m_games, static_cast<int>(m_games.size()), caseInsensitive);
    return std::move(m_games);
}

Outcome<GameTable> importListXml(QIODevice& in, bool caseInsensitive, MachineFactsTable* facts) {
    ListXmlReader reader;
    QByteArray chunk(kChunkSize, Qt::Uninitialized);
    for (;;) {
        const qint64 read = in.read(chunk.data(), kChunkSize);
        if (read < 0)
            return Failure{
                QStringLiteral("MAME's %1 could not be read: %2.").arg(kListing, in.errorString())};
        if (read == 0 && (in.atEnd() || !in.waitForReadyRead(-1)))
            break;
        reader.addData(QByteArray(chunk.constData(), read));
    }
    Outcome<GameTable> games = reader.finish(caseInsensitive);
    if (facts)
        *facts = reader.takeFacts();
    return games;
}
