// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "database/ListingImport.h"
#include "database/MachineFacts.h"
#include "database/MachineList.h"
#include "database/RomListing.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QXmlStreamReader>
#include <functional>

class QIODevice;

// Builds the master table from the machine listing that a current MAME prints
// for -listxml, read as it arrives: the document is never held whole (MAME
// 0.251's is about 270 MB), only the records kept so far.
//
// One record per machine that can be run; a machine marked isdevice="yes",
// isbios="yes" or runnable="no" is left out. Its fields:
//   description  the <description> text, entities decoded, "|" turned into "/"
//   name         the name attribute
//   parent       the cloneof attribute, or empty
//   driver       the sourcefile attribute without folder or extension
//                ("capcom/cps1.cpp" gives "cps1")
// The records keep MAME's order and are then sorted by description (sortGames,
// ignoring case when asked), as the text listings are.
//
// Beside each record, the reader reads the machine's facts (MachineFacts): its
// attributes cloneof, sourcefile and ismechanical, and from its children the
// texts of <year> and <manufacturer>, the status of <driver>, the imperfect
// and unemulated <feature>s, the first <display>'s type and rotation and the
// number of displays, the players and coins of <input>, the names of its
// <softwarelist>s and whether it has a <disk> that is not optional. It hands
// them on as it reads them, one machine after another (to a spool of them,
// MachineFactsSpool, for a List), or keeps them for takeFacts(). Of the facts
// it keeps only what the list needs (MachineList: a byte of bits and the
// manufacturer per record). Of every machine, devices and BIOS sets included,
// it keeps the files in a RomListing: the romof attribute and the <rom>,
// <disk> and <device_ref> tags (MachineRomTags).
//
// Only the records go through the XML reader: the prolog, the root, each
// machine's start tag and the children up to its </description>, and its end
// tag. The rest of a machine (about 95% of the document) is passed over by a
// scan for "<" that reads only the few tags named above, as raw bytes (their
// texts' entities decoded), up to its "</machine". XML faults there go
// unnoticed; a comment or CDATA section there that holds that text ends the
// scan early and the document then fails as not well-formed. MAME prints
// neither.
class ListXmlReader {
  public:
    // Where the facts of each machine kept go, in MAME's order.
    using FactsSink = std::function<void(const MachineFacts&)>;
    // Without a sink the facts are kept for takeFacts(). With a spool file
    // the ROM listing is kept in it (see RomListing), else in memory.
    explicit ListXmlReader(FactsSink sink = {}, const QString& romSpool = {});

    // Makes room at once for about `games` records of `bytes` bytes in all
    // (a List's old table gives the size of the new one): a table that grows
    // a piece at a time takes more memory while it grows.
    void reserve(qsizetype games, qsizetype bytes);

    // Reads `chunk`, the next piece of MAME's output. After the first fault
    // further data is dropped unread.
    void addData(const QByteArray& chunk);

    // The machines kept so far (runnable ones only).
    qsizetype machinesRead() const { return std::ssize(m_games); }
    // Whether a fault has been met: finish() will report it.
    bool failed() const { return !m_failure.isEmpty(); }

    // Ends the document and returns the sorted table, or the first fault met:
    // no output at all, XML that is not well-formed, a root other than <mame>,
    // a document cut off before its closing </mame> tag or going on after it
    // with more than blanks and closed comments, a reference to an entity that
    // the document does not define itself (an external one), a piece of markup
    // longer than kLongestMarkup bytes, a description longer than
    // kLongestDescription, no machine that can be run, more than kMaxGames of
    // them, or a record that would not read back from the database file as it
    // is. The same input gives the same answer however it is cut into chunks.
    // Call once.
    Outcome<GameTable> finish(bool caseInsensitive);
    // After a finish() that succeeded: the facts of the machines kept, in
    // MAME's order, when there was no sink.
    MachineFactsTable takeFacts() { return std::move(m_facts); }
    // After a finish() that succeeded: the machine list of the table it gave,
    // `games`, in its order. Made when asked for, so that it need not be in
    // memory beside what comes before it.
    MachineList takeMachineList(const GameTable& games);
    // After a finish() that succeeded: each game's driver status, in the
    // order of the table it gave.
    std::vector<DriverStatus> takeStatuses() { return std::move(m_statuses); }
    // After a finish() that succeeded: the digest of each game's ROM files
    // (RomListing::runnableDigests), in the order of the table it gave.
    std::vector<quint64> takeRomDigests() { return std::move(m_romDigests); }
    // After a finish() that succeeded: every machine's files, devices and BIOS
    // sets included (see RomListing), and MAME's build (<mame build="...">).
    RomListing takeRomListing() { return std::move(m_roms); }
    const QString& build() const { return m_build; }

    // No start tag, comment or text that the reader is handed is longer than
    // this: MAME's longest, its document type declaration, is about 15 KB.
    static constexpr qint64 kLongestMarkup = 1 << 20;

  private:
    void pass(bool outputEnded);
    void checkTrailing(QByteArrayView bytes, bool outputEnded);
    void readAvailable();
    void startElement();
    void endElement();
    bool readMachineRest(qsizetype& at, bool outputEnded);
    void failMarkupTooLong();
    void keepMachine();
    QString machineLabel() const;
    void fail(QString message);

    QXmlStreamReader m_xml;
    QByteArray m_pending;       // output not yet handed to m_xml
    QByteArray m_machineEndTag; // "</machine" or "</game" while in a machine
    QByteArray m_skipTo;        // while passing over a machine's rest: its end tag
    GameTable m_games;
    GameFields m_machine;        // the machine being read, when it is kept
    MachineFacts m_machineFacts; // and its facts
    FactsSink m_sink;
    MachineFactsTable m_facts; // without a sink
    // Per record kept, in MAME's order (the table's after finish()): its
    // MachineBit values, its status, and its manufacturer as a place in
    // m_manufacturers (each text once).
    std::vector<quint8> m_bits;
    std::vector<DriverStatus> m_statuses;
    std::vector<quint32> m_manufacturerOf;
    std::vector<QString> m_manufacturers;
    QHash<QString, quint32> m_manufacturerIndex;
    RomListing m_roms;                 // every machine's files, as the scan finds them
    std::vector<quint64> m_romDigests; // made by finish()
    QString m_build;
    qint64 m_handed = 0;           // bytes handed to m_xml
    qint64 m_handedAtToken = 0;    // m_handed when m_xml last gave a token
    int m_trailingState = 0;       // after </mame>: where in a comment (see checkTrailing)
    QString m_failure;             // the first fault met; empty while all is well
    qsizetype m_depth = 0;         // elements open at the reader's position
    qsizetype m_machinesSeen = 0;  // machine elements so far, devices included
    bool m_keepMachine = false;    // the machine being read is runnable
    bool m_inDescription = false;  // reading the text of its first <description>
    bool m_hasDescription = false; // that text has been read
    bool m_rootClosed = false;     // </mame> has been read: the rest is checked apart
    bool m_sawData = false;
};

// Reads the whole of `in` through a ListXmlReader, a chunk at a time; the
// machines' facts go to `facts` when given.
Outcome<GameTable> importListXml(QIODevice& in, bool caseInsensitive,
                                 MachineFactsTable* facts = nullptr);
