// SPDX-License-Identifier: GPL-2.0-or-later
#include "database/ListXmlImport.h"

#include "database/DatabaseFile.h"
#include "database/MachineFactTags.h"
#include "database/MachineRomTags.h"
#include "text/MessageText.h"
#include "text/Sorting.h"

#include <QCoreApplication>
#include <QIODevice>
#include <algorithm>
#include <cstring>

namespace {

QString listingName() {
    return QCoreApplication::translate("ListXmlImport", "machine listing (-listxml)");
}

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

// MAME prints nothing after its closing tag but a line end.
QString trailingContent() {
    return QCoreApplication::translate("ListXmlImport",
                                       "MAME's %1 goes on after its closing </mame> tag.")
        .arg(listingName());
}

} // namespace

ListXmlReader::ListXmlReader(FactsSink sink, const QString& romSpool)
    : m_sink(std::move(sink)), m_roms(romSpool.isEmpty() ? RomListing() : RomListing(romSpool)) {
    m_xml.setNamespaceProcessing(false);
}

void ListXmlReader::reserve(qsizetype games, qsizetype bytes) {
    games = std::min<qsizetype>(games, kMaxGames);
    m_games.reserve(games, bytes);
    m_bits.reserve(static_cast<size_t>(games));
    m_statuses.reserve(static_cast<size_t>(games));
    m_manufacturerOf.reserve(static_cast<size_t>(games));
    m_roms.reserveRunnable(games);
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
// search for the machine's end tag, which the reader then reads. The root's
// end tag is handed over with nothing after it: what follows is checked apart
// (checkTrailing). A few bytes stay pending while they could be the start of a
// tag searched for, unless the output has ended.
void ListXmlReader::pass(bool outputEnded) {
    static const QByteArrayView kDescriptionEnd("</description>");
    static const QByteArrayView kRootEnd("</mame");
    qsizetype at = 0;
    while (m_failure.isEmpty() && !m_rootClosed && at < m_pending.size()) {
        if (m_skipTo.isEmpty()) {
            const qsizetype end = m_pending.indexOf(kDescriptionEnd, at);
            qsizetype upTo =
                end >= 0
                    ? end + kDescriptionEnd.size()
                    : (outputEnded ? m_pending.size()
                                   : std::max(at, m_pending.size() - kDescriptionEnd.size() + 1));
            // Only up to this piece's end: a search of all that is pending,
            // once per machine, would cost more than the reading.
            const qsizetype window = std::min(m_pending.size(), upTo + kRootEnd.size() - 1) - at;
            qsizetype root = QByteArrayView(m_pending).sliced(at, window).indexOf(kRootEnd);
            if (root >= 0)
                root += at;
            if (root >= 0 && root < upTo) {
                const qsizetype close = m_pending.indexOf('>', root);
                upTo = close >= 0 ? close + 1 : (outputEnded ? m_pending.size() : root);
            }
            if (upTo == at)
                break;
            m_xml.addData(m_pending.sliced(at, upTo - at));
            m_handed += upTo - at;
            at = upTo;
            readAvailable();
            if (m_failure.isEmpty() && m_handed - m_handedAtToken > kLongestMarkup)
                failMarkupTooLong();
            // Only a machine's own description starts a skip.
            if (end >= 0 && upTo == end + kDescriptionEnd.size() && m_depth == 2 &&
                !m_machineEndTag.isEmpty())
                m_skipTo = m_machineEndTag;
        } else {
            // A cut-off machine stays unread: finish() finds no </mame>.
            if (!readMachineRest(at, outputEnded))
                break;
            m_skipTo.clear();
        }
    }
    if (m_rootClosed && m_failure.isEmpty()) {
        checkTrailing(QByteArrayView(m_pending).sliced(at), outputEnded);
        at = m_pending.size();
    }
    m_pending.remove(0, at);
}

// After </mame> MAME prints a line end; blanks and closed comments are let
// through, and nothing else. m_trailingState: 0 between comments, 1..3 after
// "<", "<!", "<!-", 4 in a comment, 5 and 6 after "-" and "--" in it.
void ListXmlReader::checkTrailing(QByteArrayView bytes, bool outputEnded) {
    for (const char c : bytes) {
        int& state = m_trailingState;
        switch (state) {
        case 0:
            state = isXmlBlank(c) ? 0 : c == '<' ? 1 : -1;
            break;
        case 1:
            state = c == '!' ? 2 : -1;
            break;
        case 2:
        case 3:
            state = c == '-' ? state + 1 : -1;
            break;
        case 4:
            state = c == '-' ? 5 : 4;
            break;
        case 5:
            state = c == '-' ? 6 : 4;
            break;
        default: // "--" must close the comment
            state = c == '>' ? 0 : -1;
            break;
        }
        if (state < 0)
            return fail(trailingContent());
    }
    if (outputEnded && m_trailingState != 0)
        fail(trailingContent());
}

void ListXmlReader::fail(QString message) {
    if (m_failure.isEmpty())
        m_failure = std::move(message);
    m_games = {};
    m_machine = {};
    m_facts = {};
    m_machineFacts = {};
    m_bits = {};
    m_statuses = {};
    m_romDigests = {};
    m_manufacturerOf = {};
    m_manufacturers = {};
    m_manufacturerIndex = {};
    m_roms.clear();
    m_pending = {};
    m_xml.clear(); // drops what is buffered
}

void ListXmlReader::readAvailable() {
    while (m_failure.isEmpty()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
            m_handedAtToken = m_handed;
            startElement();
            break;
        case QXmlStreamReader::EndElement:
            m_handedAtToken = m_handed;
            endElement();
            break;
        case QXmlStreamReader::Characters:
            m_handedAtToken = m_handed;
            if (m_inDescription) {
                m_machine.description += m_xml.text();
                if (m_machine.description.size() > kLongestDescription)
                    fail(QCoreApplication::translate(
                             "ListXmlImport",
                             "MAME's %1 gives %2 a description longer than %3 bytes, "
                             "which the database cannot hold.")
                             .arg(listingName(), machineLabel(), formatCount(kLongestDescription)));
            }
            break;
        case QXmlStreamReader::DTD:
            m_handedAtToken = m_handed;
            // The reader would leave an outside entity's text out without a word.
            for (const QXmlStreamEntityDeclaration& entity : m_xml.entityDeclarations()) {
                if (!entity.systemId().isEmpty() || !entity.publicId().isEmpty())
                    return fail(
                        QCoreApplication::translate("ListXmlImport",
                                                    "MAME's %1 declares the outside entity \"%2\", "
                                                    "which is not read.")
                            .arg(listingName(), entity.name().left(kLongestName).toString()));
            }
            break;
        case QXmlStreamReader::EntityReference:
            // A reference the reader could not resolve would otherwise be
            // left out of the text without a word.
            fail(QCoreApplication::translate(
                     "ListXmlImport",
                     "MAME's %1 refers to the entity \"%2\", which it does not define "
                     "itself; entities from outside the listing are not read.")
                     .arg(listingName(), m_xml.name().left(kLongestName).toString()));
            break;
        case QXmlStreamReader::Invalid:
            // Running out of data only means that MAME has not printed the
            // rest yet; finish() decides whether the document was whole.
            if (m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError) {
                QString reason = m_xml.errorString();
                while (reason.endsWith(u'.'))
                    reason.chop(1);
                // Qt's position is unreliable here: an encoding fault is placed
                // where the reader began to decode the piece that holds it.
                fail(QCoreApplication::translate("ListXmlImport",
                                                 "MAME's %1 is not well-formed XML: %2.")
                         .arg(listingName(), reason));
            }
            return;
        default:
            m_handedAtToken = m_handed;
            break;
        }
    }
}

void ListXmlReader::startElement() {
    ++m_depth;
    if (m_depth == 1) {
        if (m_xml.name() != QLatin1StringView("mame"))
            fail(QCoreApplication::translate(
                     "ListXmlImport", "MAME's %1 starts with <%2> where <mame> was expected.")
                     .arg(listingName(), m_xml.name().toString()));
        m_build = m_xml.attributes().value(QLatin1StringView("build")).toString();
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
        m_roms.beginMachine(attributes.value(QLatin1StringView("name")).toUtf8(),
                            attributes.value(QLatin1StringView("romof")).toUtf8(), m_keepMachine);
        if (!m_keepMachine)
            return;
        if (std::ssize(m_games) == kMaxGames) {
            fail(QCoreApplication::translate(
                     "ListXmlImport",
                     "MAME's %1 holds more than %2 machines that can be run, more than "
                     "the database can hold.")
                     .arg(listingName(), formatCount(kMaxGames)));
            return;
        }
        m_machine = GameFields{};
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

QString ListXmlReader::machineLabel() const {
    if (m_machine.name.isEmpty() || m_machine.name.size() > kLongestName)
        return QCoreApplication::translate("ListXmlImport", "machine number %1 of the listing")
            .arg(m_machinesSeen);
    return QCoreApplication::translate("ListXmlImport", "the machine \"%1\"").arg(m_machine.name);
}

void ListXmlReader::keepMachine() {
    m_keepMachine = false;
    m_machine.description.replace(u'|', u'/');
    if (const std::optional<QString> reason = unreadableReason(m_machine)) {
        fail(QCoreApplication::translate("ListXmlImport",
                                         "MAME's %1 gives %2 %3, which the database cannot hold.")
                 .arg(listingName(), machineLabel(), *reason));
        return;
    }
    m_games.push_back(m_machine);
    m_machine = GameFields{};
    m_bits.push_back(machineBitsOf(m_machineFacts));
    m_statuses.push_back(m_machineFacts.status);
    const auto known = m_manufacturerIndex.constFind(m_machineFacts.manufacturer);
    if (known != m_manufacturerIndex.constEnd()) {
        m_manufacturerOf.push_back(*known);
    } else {
        const auto index = static_cast<quint32>(m_manufacturers.size());
        m_manufacturerIndex.insert(m_machineFacts.manufacturer, index);
        m_manufacturers.push_back(m_machineFacts.manufacturer);
        m_manufacturerOf.push_back(index);
    }
    if (m_sink)
        m_sink(m_machineFacts);
    else
        m_facts.push_back(std::move(m_machineFacts));
    m_machineFacts = MachineFacts{};
}

void ListXmlReader::failMarkupTooLong() {
    fail(QCoreApplication::translate(
             "ListXmlImport", "MAME's %1 holds a piece of markup longer than %2 bytes, longer than "
                              "any MAME prints.")
             .arg(listingName(), formatCount(kLongestMarkup)));
}

// Reads a machine's rest from `at` up to its end tag, keeping the files that
// its tags name and, for a kept machine, the facts they hold. True with `at`
// on the end tag; false when the pending output ends first, with `at` past
// what has been read (a tag cut off by the chunk's end stays pending unless
// the output has ended).
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
        if (available < std::max(kLongestFactTag, kLongestRomTag) && !outputEnded) {
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
        const FactTag tag = m_keepMachine ? factTagAt(p, available) : FactTag::None;
        const RomTag romTag = romTagAt(p, available);
        if (tag == FactTag::None && romTag == RomTag::None)
            continue;
        // The tag ends within kLongestMarkup bytes, however the output is cut.
        const QByteArrayView ending = tag == FactTag::None ? QByteArrayView(">") : factTagEnd(tag);
        const QByteArrayView rest(p,
                                  std::min<qsizetype>(available, kLongestMarkup + ending.size()));
        const qsizetype end = rest.indexOf(ending, 2);
        if (end < 0) {
            if (rest.size() > kLongestMarkup)
                failMarkupTooLong();
            at = outputEnded || !m_failure.isEmpty() ? size : open;
            return false;
        }
        if (tag != FactTag::None)
            readFactTag(tag, rest.first(end + ending.size()), m_machineFacts);
        if (romTag != RomTag::None)
            readRomTag(romTag, rest.first(end + ending.size()), m_roms);
        at = open + end + ending.size();
    }
    at = size;
    return false;
}

Outcome<GameTable> ListXmlReader::finish(bool caseInsensitive) {
    pass(true);
    if (m_failure.isEmpty()) {
        if (!m_sawData)
            fail(QCoreApplication::translate("ListXmlImport", "MAME's %1 is empty.")
                     .arg(listingName()));
        else if (!m_rootClosed)
            fail(QCoreApplication::translate(
                     "ListXmlImport",
                     "MAME's %1 ends before its closing </mame> tag, so MAME did not "
                     "finish it.")
                     .arg(listingName()));
        else if (m_games.empty())
            fail(QCoreApplication::translate("ListXmlImport",
                                             "MAME's %1 holds no machine that can be run.")
                     .arg(listingName()));
    }
    if (!m_failure.isEmpty())
        return Failure{m_failure};

    // The table never holds more than kMaxGames records, so the count fits.
    std::vector<qint32> order = sortedTextOrder(
        static_cast<qint32>(m_games.size()),
        [this](qint32 i) { return m_games[i].descriptionBytes(); }, caseInsensitive);
    m_pending = {};
    m_xml.clear();
    m_manufacturerIndex = {};
    // One digest per machine kept (runnable), in the listing's order.
    m_roms.end();
    m_romDigests = m_roms.takeRunnableDigests();
    permuteInPlace(m_statuses, order);
    permuteInPlace(m_romDigests, order);
    permuteInPlace(m_bits, order);
    permuteInPlace(m_manufacturerOf, order);
    m_games.reorder(std::move(order));
    return std::move(m_games);
}

Outcome<GameTable> importListXml(QIODevice& in, bool caseInsensitive, MachineFactsTable* facts) {
    ListXmlReader reader;
    QByteArray chunk(kChunkSize, Qt::Uninitialized);
    for (;;) {
        const qint64 read = in.read(chunk.data(), kChunkSize);
        if (read < 0)
            return Failure{
                QCoreApplication::translate("ListXmlImport", "MAME's %1 could not be read: %2.")
                    .arg(listingName(), in.errorString())};
        if (read == 0 && (in.atEnd() || !in.waitForReadyRead(-1)))
            break;
        reader.addData(QByteArray(chunk.constData(), read));
    }
    Outcome<GameTable> games = reader.finish(caseInsensitive);
    if (facts)
        *facts = reader.takeFacts();
    return games;
}

MachineList ListXmlReader::takeMachineList(const GameTable& games) {
    MachineList list = machineListOf(games, m_bits, m_manufacturerOf, m_manufacturers);
    m_bits = {};
    m_manufacturerOf = {};
    m_manufacturers = {};
    return list;
}
