#include "database/ListXmlImport.h"

#include "database/DatabaseFile.h"
#include "text/Sorting.h"

#include <QIODevice>
#include <QLocale>
#include <algorithm>

namespace {

const QString kListing = QStringLiteral("machine listing (-listxml)");
constexpr qint64 kChunkSize = 1 << 16;

bool IsYes(const QXmlStreamAttributes& attributes, QLatin1StringView name) {
    return attributes.value(name) == QLatin1StringView("yes");
}

// "capcom/cps1.cpp" -> "cps1": the file name without folder or extension.
QString DriverFromSourceFile(QStringView sourceFile) {
    const qsizetype slash = std::max(sourceFile.lastIndexOf(u'/'), sourceFile.lastIndexOf(u'\\'));
    QStringView file = sourceFile.mid(slash + 1);
    const qsizetype dot = file.lastIndexOf(u'.');
    if (dot > 0)
        file = file.left(dot);
    return file.toString();
}

bool IsXmlBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// MAME prints nothing after its closing tag but a line end.
QString TrailingContent() {
    return QStringLiteral("MAME's %1 goes on after its closing </mame> tag.").arg(kListing);
}

} // namespace

ListXmlReader::ListXmlReader() {
    xml_.setNamespaceProcessing(false);
}

void ListXmlReader::addData(const QByteArray& chunk) {
    if (!failure_.isEmpty() || chunk.isEmpty())
        return;
    sawData_ = true;
    pending_ += chunk;
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
    while (failure_.isEmpty() && !documentEnded_ && at < pending_.size()) {
        if (skipTo_.isEmpty()) {
            const qsizetype end = pending_.indexOf(kDescriptionEnd, at);
            const qsizetype upTo =
                end >= 0
                    ? end + kDescriptionEnd.size()
                    : (outputEnded ? pending_.size()
                                   : std::max(at, pending_.size() - kDescriptionEnd.size() + 1));
            if (upTo == at)
                break;
            xml_.addData(pending_.sliced(at, upTo - at));
            at = upTo;
            readAvailable();
            // Only a machine's own description starts a skip.
            if (end >= 0 && depth_ == 2 && !machineEndTag_.isEmpty())
                skipTo_ = machineEndTag_;
        } else {
            const qsizetype end = pending_.indexOf(skipTo_, at);
            if (end < 0) {
                // A cut-off machine stays unread: finish() finds no </mame>.
                at = outputEnded ? pending_.size()
                                 : std::max(at, pending_.size() - skipTo_.size() + 1);
                break;
            }
            at = end;
            skipTo_.clear();
        }
    }
    if (documentEnded_ && failure_.isEmpty()) {
        // The reader has let the document go: what follows is checked here.
        if (std::any_of(pending_.cbegin() + at, pending_.cend(),
                        [](char c) { return !IsXmlBlank(c); }))
            fail(TrailingContent());
        at = pending_.size();
    }
    pending_.remove(0, at);
}

void ListXmlReader::fail(QString message) {
    if (failure_.isEmpty())
        failure_ = std::move(message);
    games_ = {};
    machine_ = {};
    pending_ = {};
    xml_.clear(); // drops what is buffered
}

void ListXmlReader::readAvailable() {
    while (failure_.isEmpty()) {
        switch (xml_.readNext()) {
        case QXmlStreamReader::StartElement:
            startElement();
            break;
        case QXmlStreamReader::EndElement:
            endElement();
            break;
        case QXmlStreamReader::Characters:
            if (inDescription_)
                machine_.strDescription += xml_.text();
            break;
        case QXmlStreamReader::Invalid:
            // Running out of data only means that MAME has not printed the
            // rest yet; finish() decides whether the document was whole.
            if (xml_.error() != QXmlStreamReader::PrematureEndOfDocumentError && rootClosed_) {
                fail(TrailingContent());
            } else if (xml_.error() != QXmlStreamReader::PrematureEndOfDocumentError) {
                QString reason = xml_.errorString();
                while (reason.endsWith(u'.'))
                    reason.chop(1);
                // Qt's position is unreliable here: an encoding fault is placed
                // where the reader began to decode the piece that holds it.
                fail(QStringLiteral("MAME's %1 is not well-formed XML: %2.").arg(kListing, reason));
            }
            return;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
            if (rootClosed_)
                fail(TrailingContent());
            break;
        case QXmlStreamReader::EndDocument:
            documentEnded_ = true;
            return;
        default:
            break;
        }
    }
}

void ListXmlReader::startElement() {
    ++depth_;
    if (depth_ == 1) {
        if (xml_.name() != QLatin1StringView("mame"))
            fail(QStringLiteral("MAME's %1 starts with <%2> where <mame> was expected.")
                     .arg(kListing, xml_.name().toString()));
        return;
    }
    if (depth_ == 2) {
        // Releases before 0.162 call a machine <game>. The end tag is searched
        // for without its ">", which may follow blanks.
        if (xml_.name() == QLatin1StringView("machine"))
            machineEndTag_ = "</machine";
        else if (xml_.name() == QLatin1StringView("game"))
            machineEndTag_ = "</game";
        else
            return;
        ++machinesSeen_;
        const QXmlStreamAttributes attributes = xml_.attributes();
        keepMachine_ = !IsYes(attributes, QLatin1StringView("isdevice")) &&
                       !IsYes(attributes, QLatin1StringView("isbios")) &&
                       attributes.value(QLatin1StringView("runnable")) != QLatin1StringView("no");
        hasDescription_ = false;
        if (!keepMachine_)
            return;
        if (std::ssize(games_) == kMaxGames) {
            fail(QStringLiteral("MAME's %1 holds more than %2 machines that can be run, more than "
                                "the database can hold.")
                     .arg(kListing, QLocale(QLocale::English).toString(kMaxGames)));
            return;
        }
        machine_ = GameRecord{};
        machine_.strName = attributes.value(QLatin1StringView("name")).toString();
        machine_.strParent = attributes.value(QLatin1StringView("cloneof")).toString();
        machine_.strDriver =
            DriverFromSourceFile(attributes.value(QLatin1StringView("sourcefile")));
        return;
    }
    if (depth_ == 3 && keepMachine_ && !hasDescription_ &&
        xml_.name() == QLatin1StringView("description"))
        inDescription_ = true;
}

void ListXmlReader::endElement() {
    --depth_;
    if (depth_ == 2 && inDescription_) {
        inDescription_ = false;
        hasDescription_ = true;
    } else if (depth_ == 1) {
        machineEndTag_.clear();
        if (keepMachine_)
            keepMachine();
    } else if (depth_ == 0) {
        rootClosed_ = true;
    }
}

void ListXmlReader::keepMachine() {
    keepMachine_ = false;
    machine_.strDescription.replace(u'|', u'/');
    const QString reason = UnreadableReason(machine_);
    if (!reason.isEmpty()) {
        const QString label =
            machine_.strName.isEmpty()
                ? QStringLiteral("machine number %1 of the listing").arg(machinesSeen_)
                : QStringLiteral("the machine \"%1\"").arg(machine_.strName);
        fail(QStringLiteral("MAME's %1 gives %2 %3, which the database cannot hold.")
                 .arg(kListing, label, reason));
        return;
    }
    games_.push_back(std::move(machine_));
    machine_ = GameRecord{};
}

ListingImport ListXmlReader::finish(bool caseInsensitive) {
    pass(true);
    if (failure_.isEmpty()) {
        if (!sawData_)
            fail(QStringLiteral("MAME's %1 is empty.").arg(kListing));
        else if (!rootClosed_)
            fail(QStringLiteral("MAME's %1 ends before its closing </mame> tag, so MAME did not "
                                "finish it.")
                     .arg(kListing));
        else if (games_.empty())
            fail(QStringLiteral("MAME's %1 holds no machine that can be run.").arg(kListing));
    }
    if (!failure_.isEmpty())
        return ListingImport{{}, failure_};

    // The table never holds more than kMaxGames records, so the count fits.
    SortGames(games_, static_cast<int>(games_.size()), caseInsensitive);
    return ListingImport{std::move(games_), {}};
}

ListingImport ImportListXml(QIODevice& in, bool caseInsensitive) {
    ListXmlReader reader;
    QByteArray chunk(kChunkSize, Qt::Uninitialized);
    for (;;) {
        const qint64 read = in.read(chunk.data(), kChunkSize);
        if (read < 0)
            return ListingImport{
                {},
                QStringLiteral("MAME's %1 could not be read: %2.").arg(kListing, in.errorString())};
        if (read == 0 && (in.atEnd() || !in.waitForReadyRead(-1)))
            break;
        reader.addData(QByteArray(chunk.constData(), read));
    }
    return reader.finish(caseInsensitive);
}
