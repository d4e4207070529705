// Memory dumps: the binary flash image, block by block ("EP,R,nnnn"), and the hexadecimal listing
// of the flash ("EF,R," block transfer).
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "link/Frame.h"
#include "link/LinkMessages.h"
#include "text/Catalogue.h"
#include "link/uclTzif.h"
#include "text/DateTime.h"

namespace tz {

namespace {

constexpr int msgDumpStarted = 5569;   // "--- Dump List Download Started. ---(~1)"
constexpr int msgDumpFinished = 5570;  // "--- Dump List Download Finished. ---(~1[Time = ~2])~c"

constexpr std::size_t kPageEntries = 16;
constexpr std::size_t kEntryDigits = 32;  // 16 bytes
constexpr Long kEntryBytes = 16;
constexpr Long kListingLineBytes = 32;    // the address step of one listing line

const char* const kPageTitle = "Adrs   +0 +1 +2 +3 +4 +5 +6 +7  +8 +9 +A +B +C +D +E +F   List Of ASCII   ";
constexpr std::size_t kPageRule = 74;
const char* const kLineEnd = "\r\n";

std::string Hex(long value, int digits) {
    char text[24];
    std::snprintf(text, sizeof text, "%0*lX", digits, value);
    return text;
}

int HexValue(char c) {
    const int u = std::toupper(static_cast<unsigned char>(c));
    return u <= '9' ? u - '0' : u - 'A' + 10;
}

// "000020 41 42 43 44 45 46 47 48  49 4A 4B 4C 4D 4E 4F 50   ABCDEFGHIJKLMNOP"
std::string PageLine(Long address, const std::string& data) {
    std::string line = Hex(address, 6) + " ";
    std::string ascii;
    for (std::size_t i = 0; i < kEntryBytes; ++i) {
        const char high = static_cast<char>(std::toupper(static_cast<unsigned char>(data[2 * i])));
        const char low = static_cast<char>(std::toupper(static_cast<unsigned char>(data[2 * i + 1])));
        line += high;
        line += low;
        line += i == 7 ? "  " : " ";
        const int byte = HexValue(high) * 16 + HexValue(low);
        ascii += byte >= 32 && byte <= 126 ? static_cast<char>(byte) : '.';
    }
    return line + "  " + ascii;
}

// Whole seconds as "HH:NN:SS" (hours beyond 99 keep their digits).
std::string Elapsed(Date from, Date to) {
    const long seconds = std::max(0L, std::lround((to - from) * 86400.0));
    char text[32];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

}  // namespace

// ---- Binary image ----

bool uclTzif::GetBinDump(const std::string& FileNames, Integer& first, Integer& last) {
    cancel_ = false;
    listener_->DumpMessage("Initialize Local Image");
    dumpExpected_ = DumpBlockBytes;
    if (first < 0 || last >= DumpBlockCount || first > last) {
        log_.LogWrite("--- Dump range " + std::to_string(first) + " to " + std::to_string(last) +
                      " is not within blocks 0 to " + std::to_string(DumpBlockCount - 1) + " ---");
        return false;
    }
    if (connection_ != connConnected) {  // no reply timeout would end a lost block
        log_.LogWrite("--- Dump not started: no instrument connected ---");
        return false;
    }
    if (!StartImage(FileNames, first, last)) {
        log_.LogWrite("--- Dump image " + FileNames + " cannot be written ---");
        return false;
    }
    listener_->DumpMessage("Get FLASH Image");
    const Date started = loop_.Now();
    LogMessage(msgDumpStarted, FormatGeneralDate(started));
    replyValid_ = true;
    cancel_ = false;
    binaryRetry_ = false;

    Integer block = first;
    while (block <= last && FetchBlock(block, started)) ++block;
    const bool received = block > last && status_ == stsCompleted && replyValid_;
    dumpPath_ = FileNames;
    if (received) {
        irda_.BinaryReceiveLength(0);
        if (dumpImage_.Commit()) return true;
        log_.LogWrite("--- Dump image " + FileNames + " cannot be written ---");
    } else {
        // The target stays as it was. After a timeout the image is held, and `first` names the
        // block to fetch when the rest of the range is run again into the same file; a Cancel
        // by the host drops it.
        StopImage(block, !cancel_ || binaryRetry_);
        first = block;
    }
    status_ = stsIdle;
    return false;
}

// The image is built in memory: a held image when this call continues a dump that stopped at
// `first`, otherwise fresh for the whole range or a missing file, else from the existing file.
// The infrared port stores its blocks in a staging file itself.
bool uclTzif::StartImage(const std::string& fileName, Integer first, Integer last) {
    const long position = static_cast<long>(first) * DumpBlockBytes;
    const bool staging = UseIrda();
    if (!dumpImage_.Resume(fileName, position, staging)) {
        const bool fresh = first == 0 && last == DumpBlockCount - 1;
        if (!dumpImage_.Begin(fileName, fresh, staging)) return false;
    }
    dumpPath_ = dumpImage_.TempPath();
    return true;
}

// Asks for one block and waits for it; false when the dump must stop.
bool uclTzif::FetchBlock(Integer block, Date started) {
    dumpPosition_ = static_cast<long>(block) * DumpBlockBytes;
    dumpReceived_ = 0;
    dumpBlock_.clear();
    irda_.BinaryReceiveLength(static_cast<int>(DumpBlockBytes));
    const std::string number = Hex(block, 4);
    SendCommand("EP,R," + number, true);
    status_ = stsBinaryDump;
    while (status_ == stsBinaryDump && !cancel_) loop_.Yield();
    if (status_ == stsCompleted) {
        // Every earlier request of this block that was given up may still be answered: those
        // copies follow, and must not be taken for the next block.
        dumpCopiesOwed_ = block == dumpAbandonedBlock_ ? dumpAbandonedRequests_ : 0;
        dumpAbandonedBlock_ = -1;
        dumpAbandonedRequests_ = 0;
    } else if (binaryRetry_) {
        dumpAbandonedRequests_ = block == dumpAbandonedBlock_ ? dumpAbandonedRequests_ + 1 : 1;
        dumpAbandonedBlock_ = block;
    }
    listener_->DumpMessage("Get FLASH Image " + number);
    log_.LogWrite(LoadMessage(msgDumpFinished, {NowText(), Elapsed(started, loop_.Now())}));
    if (status_ == stsCompleted && UseIrda() &&
        !dumpImage_.LoadStagedBlock(static_cast<long>(block) * DumpBlockBytes, static_cast<std::size_t>(DumpBlockBytes)))
        status_ = stsFailed;
    return status_ != stsFailed && !cancel_;
}

// Ends a dump that stopped before `block`: its image is held for a continuing call, or dropped.
void uclTzif::StopImage(Integer block, bool hold) {
    irda_.BinaryReceiveLength(0);
    if (hold)
        dumpImage_.Hold(static_cast<long>(block) * DumpBlockBytes);
    else
        dumpImage_.Discard();
}

// A piece of a binary block on the serial line. The block is collected whole and written to the
// image in one piece; bytes beyond the block's length are not part of it and are dropped.
void uclTzif::StoreBinaryChunk(const std::string& chunk) {
    std::string bytes = chunk;
    receiveBytes_.clear();
    const Integer countdown = timeoutCountdown_;
    // A text reply that comes late (its command's exchange is over) is no part of the block.
    if (dumpReceived_ == 0 && !bytes.empty() && bytes[0] == STX) {
        const std::size_t end = bytes.find_first_of(std::string{ETB, EOT});
        const std::size_t etx = bytes.find(ETX);
        if (end != std::string::npos && etx != std::string::npos && etx + 3 == end &&
            FrameChecksumMatches(bytes.substr(0, end + 1))) {
            log_.LogWrite(StaleReplyLine("EP,R"));
            bytes.erase(0, end + 1);
        }
    }
    const long room = std::max(0L, dumpExpected_ - dumpReceived_);
    const long taken = std::min(room, static_cast<long>(bytes.size()));
    dumpBlock_.append(bytes, 0, static_cast<std::size_t>(taken));
    dumpPosition_ += taken;
    dumpReceived_ += taken;
    // A block that keeps arriving on a slow line is not given up half way.
    if (taken > 0) timeoutCountdown_ = timeoutTicks_;
    if (dumpReceived_ < dumpExpected_) return;
    // Copies of the block before come first; any block that differs from it ends them.
    if (dumpCopiesOwed_ > 0 && dumpBlock_ == dumpPreviousBlock_) {
        --dumpCopiesOwed_;
        log_.LogWrite("<<< Stale copy of the previous block discarded >>>");
        timeoutCountdown_ = countdown;  // the wait goes on within its own timeout
        dumpPosition_ -= dumpReceived_;
        dumpReceived_ = 0;
        dumpBlock_.clear();
        StoreBinaryChunk(bytes.substr(static_cast<std::size_t>(taken)));
        return;
    }
    dumpCopiesOwed_ = 0;
    dumpPreviousBlock_ = dumpBlock_;
    const long start = dumpPosition_ - dumpReceived_;
    if (dumpImage_.Active() && !dumpImage_.WriteBlock(start, dumpBlock_.data(), dumpBlock_.size())) {
        status_ = stsFailed;  // a block outside the image ends the dump
        return;
    }
    status_ = stsCompleted;
}

// ---- Listing ----

bool uclTzif::GetRomDump2(const std::string& FileNames) {
    const Date started = loop_.Now();
    LogMessage(msgDumpStarted, FormatGeneralDate(started));
    if (connection_ != connConnected) {
        log_.LogWrite("--- Dump not started: no instrument connected ---");
        return false;
    }
    listingFile_.open(FileNames, std::ios::binary | std::ios::trunc);
    if (!listingFile_) {
        listingFile_.close();
        listingFile_.clear();
        log_.LogWrite("--- Dump list " + FileNames + " cannot be written ---");
        return false;
    }
    WriteListingHeader();
    listingPage_.clear();
    listingLine_ = 0;

    replyValid_ = true;
    cancel_ = false;
    status_ = stsBlockTransfer;
    SendCommand("EF,R,", true);
    while (status_ == stsBlockTransfer) loop_.Yield();

    if (!listingPage_.empty()) {
        Long next = listingPage_.back().address + kEntryBytes;
        while (listingPage_.size() < kPageEntries) {
            listingPage_.push_back({next, std::string(kEntryDigits, 'F')});
            next += kEntryBytes;
        }
        WriteListingPage();
    }
    listingFile_ << kLineEnd << ";\tTotal Download Time = " << Elapsed(started, loop_.Now()) << kLineEnd;
    listingFile_.close();
    const bool written = static_cast<bool>(listingFile_);
    listingFile_.clear();
    if (!written) log_.LogWrite("--- Dump list " + FileNames + " cannot be written ---");
    if (status_ == stsCompleted && replyValid_ && written) return true;
    status_ = stsIdle;
    return false;
}

void uclTzif::WriteListingHeader() {
    listingFile_ << ";\tTZ-7300 Data Logger Program" << kLineEnd
                 << ";\tFlush ROM Dump (EF) List " << NowText() << kLineEnd
                 << ";\tCopyright (C) TZ-7300 Setup Program. All rights reserved." << kLineEnd
                 << kLineEnd;
}

// One accepted listing reply: its data, 32 hexadecimal characters (16 bytes) at a time, the last
// piece padded with "F", each piece at the line's address plus 16 per piece.
void uclTzif::ListingData(Long lineNumber, const std::string& hexData) {
    listingLine_ = std::max(listingLine_, lineNumber);
    const Long lineAddress = (lineNumber - 1) * kListingLineBytes;
    for (std::size_t k = 0; k * kEntryDigits < hexData.size(); ++k) {
        std::string piece = hexData.substr(k * kEntryDigits, kEntryDigits);
        piece.resize(kEntryDigits, 'F');
        listingPage_.push_back({lineAddress + kEntryBytes * static_cast<Long>(k), std::move(piece)});
        if (listingPage_.size() == kPageEntries) WriteListingPage();
    }
}

// Writes the full page to the open listing and empties it.
void uclTzif::WriteListingPage() {
    if (listingFile_.is_open() && !listingPage_.empty()) {
        listingFile_ << kPageTitle << kLineEnd << std::string(kPageRule, '-') << kLineEnd;
        for (const ListingEntry& entry : listingPage_) listingFile_ << PageLine(entry.address, entry.data) << kLineEnd;
        listingFile_ << kLineEnd;
        listener_->DumpMessage("Get Dump " + Hex(listingPage_.front().address, 6) + "-" +
                               Hex(listingPage_.back().address, 6));
    }
    listingPage_.clear();
}

}  // namespace tz
