#pragma once
// uclTzif: the link control, the one component that talks to the instrument. It chooses the
// serial or the infrared port for every transmission, frames commands, cuts reply frames out of
// the received data, decodes them into the instrument record, answers block transfers, and runs
// the 100 ms link timer (connection handshake, reply timeout, retries) and the 1000 ms gas poll.
//
// Everything runs on the one event loop. An operation that needs an answer sends a frame, sets
// the exchange state and calls IEventLoop::Yield() until the receive handler or the timer moves
// the state on.
//
// The operations live in several files: uclTzif.cpp (set-up, properties, transport choice),
// uclTzifSend.cpp, uclTzifReceive.cpp, uclTzifTimer.cpp, uclTzifWait.cpp, uclTzifRead.cpp,
// Maintenance.cpp, Calibration.cpp, MemoryDump.cpp; reply decoding is in ReplyDecoder.*; the log
// in CommLog.*.
#include <array>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "link/CommLog.h"
#include "link/DumpImageFile.h"
#include "link/IEventLoop.h"
#include "link/IIrdaPort.h"
#include "link/ILinkListener.h"
#include "link/IPort.h"
#include "link/ReplyDecoder.h"
#include "text/Types.h"

namespace tz {

class clsInstrument;

// Exchange states (`Status`).
enum LinkStatus : Long {
    stsReset = 0,
    stsIdle = 2,
    stsBlockTransfer = 3,
    stsWaitRead = 4,
    stsWaitWrite = 5,
    stsCompleted = 6,
    stsFailed = 7,
    stsCancelled = 8,
    stsBinaryDump = 9,
};

// Connection states.
enum LinkConnection : Long { connNone = 0, connConnecting = 2, connConnected = 3 };

// The settings that the host stores with its own layout, and their defaults.
struct LinkDesign {
    bool Enabled = true;
    Integer CommPort = 4;
    bool DTREnable = false;
    bool RTSEnable = false;
    std::string Settings = "9600,n,8,1";
};

class uclTzif : private IPortListener, private IIrdaListener, private IReplyHost {
public:
    // The link starts its 100 ms timer at once; the ports and the loop must outlive it.
    uclTzif(IPort& serial, IIrdaPort& irda, IEventLoop& loop);
    ~uclTzif() override;
    uclTzif(const uclTzif&) = delete;
    uclTzif& operator=(const uclTzif&) = delete;

    void SetListener(ILinkListener* listener) { listener_ = listener ? listener : &noListener_; }
    void ApplyDesign(const LinkDesign& design);
    LinkDesign StoredDesign() const;

    // ---- Properties ----
    // Reply timeout in seconds, 0 to 3276 (std::out_of_range beyond), kept as 100 ms ticks.
    Integer Timeout() const { return static_cast<Integer>(timeoutTicks_ / 10); }
    void Timeout(Integer seconds);
    Integer Retry() const { return retry_; }
    void Retry(Integer value) { retry_ = value; }
    bool Cancel() const { return cancel_; }
    void Cancel(bool value) { cancel_ = value; }
    bool BinaryRetry() const { return binaryRetry_; }
    void BinaryRetry(bool value) { binaryRetry_ = value; }
    bool SerialComm() const { return serialComm_; }
    void SerialComm(bool value) { serialComm_ = value; }
    Integer CommPort() const;
    void CommPort(Integer number);  // always the serial port
    bool PortOpen() const;
    void PortOpen(bool open);       // a port that fails to open stays closed; read PortOpen
    bool DTREnable() const;
    void DTREnable(bool on);
    bool RTSEnable() const;
    void RTSEnable(bool on);
    Integer Handshaking() const;
    void Handshaking(Integer mode);
    std::string Settings() const;
    void Settings(const std::string& settings);
    bool Enabled() const { return enabled_; }
    void Enabled(bool value) { enabled_ = value; }
    bool Connected() const { return connection_ == connConnected; }
    void Connected(bool) {}  // read only; assigning changes nothing
    Long Status() const { return status_; }
    void Status(Long value) { status_ = value; }
    bool TimerEnabled() const { return linkTimer_ != 0; }
    void TimerEnabled(bool on);
    bool RunDensty() const { return pollTimer_ != 0; }
    void RunDensty(bool on);
    clsInstrument* Instrument() const { return instrument_; }
    void Instrument(clsInstrument* record) { if (record) instrument_ = record; }
    std::string BinDumpPath() const { return dumpPath_; }
    void BinDumpPath(const std::string& path) { dumpPath_ = path; }
    Single FactCal(Integer index) const;             // 0 to 4; std::out_of_range beyond
    void FactCal(Integer index, Single value);
    void SystemBlock(bool) {}                        // accepted and ignored
    bool ZeroStatus(Integer gas) const { return ChannelPassed(zeroResult_, gas); }
    bool SpanStatus(Integer gas) const { return ChannelPassed(spanResult_, gas); }

    // ---- Communication log ----
    void LogFolder(const std::string& folder) { log_.Folder(folder); }
    std::string LogFolder() const { return log_.Folder(); }
    CommLog& Log() { return log_; }
    void AddLog(const std::string& text) { log_.LogWrite(text); }

    // ---- Sending and waiting ----
    void DataSend(const std::string& frame, bool initFlag = false);
    bool DisConnect();
    bool Transact(const std::string& command, clsInstrument* record);
    void SendAndWait(bool& ok, const std::string& frame, bool& result);
    // Decodes one received frame into the present record; true when the reply was accepted.
    bool DecodeReply(const std::string& frame);

    // ---- Reading the instrument ----
    bool GetInstrument(clsInstrument* record);
    bool GetRomNo(clsInstrument* record);
    bool GetGasInfo(clsInstrument* record);
    bool GetAutoCalDensty(clsInstrument* record);
    bool GetLatestHistory(clsInstrument* record);
    bool GetLatestBumpHistory(clsInstrument* record);

    // ---- Writing settings ----
    // Sends one write command per flagged group of `record`, in a fixed order, clearing the flags
    // of what the instrument acknowledged and sending nothing more after the first failed
    // exchange; then "DW,W," when anything was acknowledged, and "FB,W," (the written settings
    // become the instrument's defaults) when AsfactorySave. True when no exchange failed and at
    // least one command was acknowledged; false for a null record (nothing is sent).
    // The record becomes the link's current Instrument. (SetInstrument.cpp)
    bool SetInstrument(clsInstrument* iObj, bool AsfactorySave);

    // ---- Maintenance and calibration ----
    // Each sends its action command and waits for the exchange through the event loop; true on
    // success. The data clears, the default reset and the sample-heater switch then poll the
    // confirmation command until the instrument acknowledges, an exchange fails, or PollLimit
    // polls were answered "not yet".
    bool BodyDataClear();                          // "XC,W," then "XC,C," every 5 s
    bool PowerDataClear();                         // "XY,W," then "XY,C," every 5 s
    bool DefaultInstrument();                      // "UX,W," then "UX,C," every 5 s
    bool SHOnOff(Integer value);                   // "LR,W,"+value; 1: "LR,C," every second
    bool SHWetDry(Integer isDry);                  // "SQ,W,"+isDry
    bool BodyPowerOff();                           // "RO,W,", closes the port; always true
    bool RestoreFactorySet();                      // "FB,R,"
    bool SetDateTime(Date vData);                  // "HC,W,YYMMDDhhnnss"
    bool SetCheckData();                           // "XH,E,"
    bool SetPump(bool Values);                     // "BP,W,1" or "BP,W,0"
    bool ZeroCal(const std::string& GasFlag);      // "SZ,W,"+GasFlag, then "SZ,C," every second
    bool SpanCal(const std::string& GasFlag);      // "S2,W,"+GasFlag
    bool zCal(const std::string& O2denst);         // "SN,W,"+O2denst
    // "S1,D,"+Datas (six factors); appends "0" (taken, stored in SpanData) or "1" per channel.
    bool UpdateCalibrationFactor(const std::string& Datas, std::string& failes);
    // Most confirmation polls of one operation before it gives up (0: no limit; default 600, ten
    // minutes of one-second polls), so an instrument that never finishes cannot hang the program.
    Integer PollLimit() const { return pollLimit_; }
    void PollLimit(Integer polls) { pollLimit_ = polls < 0 ? Integer{0} : polls; }
    // Called before each "LR,C," poll; the calibration window steps its progress bar prgSH down.
    void HeaterPollHook(std::function<void()> hook) { heaterPollHook_ = std::move(hook); }

    // ---- Memory dumps ----
    static constexpr Integer DumpBlockCount = 2048;  // blocks of DumpBlockBytes in the 1 MiB image
    static constexpr long DumpBlockBytes = 512;
    // Copies blocks first to last of the flash image into the image file FileNames ("EP,R,nnnn").
    // The file is written only when every block arrived, in one step, so it is always a complete
    // image: a fresh one (every byte 255) for the whole range or a missing file, otherwise the
    // existing file with the blocks received laid in. On any failure the file stays as it was.
    // A block timeout (BinaryRetry set) holds the image in memory and sets `first` to the block
    // to fetch next; calling again with the same file and that `first` continues the held image
    // without fetching again what arrived. A Cancel by the host drops the image.
    bool GetBinDump(const std::string& FileNames, Integer& first, Integer& last);
    // Writes the hexadecimal listing of the flash that "EF,R," transfers into FileNames.
    bool GetRomDump2(const std::string& FileNames);
    // Blocks (listing lines) taken by the running or the last GetRomDump2.
    Long ListingBlocks() const { return listingLine_; }

    // ---- Inner state, for the operations of the other link files and for tests ----
    Long ConnectionState() const { return connection_; }
    Integer RetryCount() const { return retryCount_; }
    Integer ErrorCount() const { return errorCount_; }
    Long TickCount() const { return tickCount_; }
    Integer TimeoutCountdown() const { return timeoutCountdown_; }
    bool ReplyValid() const { return replyValid_; }
    bool Acknowledged() const { return acknowledged_; }
    const std::string& LastFrame() const override { return lastFrame_; }
    const std::string& ReceivedFrame() const { return receivedFrame_; }
    const std::string& ReceiveBuffer() const { return receiveBuffer_; }
    static constexpr std::size_t MaxReceiveBuffer = 64 * 1024;
    const std::string& LastReplyData() const { return lastReplyData_; }
    const std::string& ZeroResult() const { return zeroResult_; }
    const std::string& SpanResult() const { return spanResult_; }

private:
    // Transport choice: the infrared port when it is active and serial is not forced.
    bool UseIrda() const;

    // Port events.
    void OnComm(int eventCode) override;
    void OnIrdaComm(int eventCode) override;
    void ReceiveSerialData();
    void ReceiveIrdaData();
    void SerialLineChanged();
    void SerialLineError(int eventCode);
    void StoreBinaryChunk(const std::string& bytes);
    void ProcessReceiveBuffer();
    // Step 6 of buffer processing: a rejected or malformed reply. False when retries are used up.
    bool RepeatAfterBadReply(bool malformed);
    bool IsStaleReply(const std::string& frame) const;

    // Timer ticks.
    void OnLinkTimer();
    void ConnectTick();
    void TimeoutTick();
    void OnPollTimer();

    // Sending helpers.
    void SendCommand(const std::string& body, bool initFlag);
    void Retransmit();
    // ACK or NAK with the echo of the last frame (five characters, seven for "IH" unless
    // fiveCharacterEcho).
    void SendAcknowledge(char code, bool initFlag, bool fiveCharacterEcho = false);
    std::string Echo(bool fiveCharacterEcho) const;
    bool LastFrameNeverRepeated() const;

    // Waiting helpers.
    void WaitWhileStatus(Long status, bool interProgress);
    void PassOnMessage(bool interProgress);
    bool ReadRange(clsInstrument* record, int first, int last, bool clear);
    bool ReadHistory(clsInstrument* record, const std::string& body);

    // IReplyHost: what the decoder may touch.
    void LogLine(const std::string& text) override { log_.LogWrite(text); }
    Date Now() const override { return loop_.Now(); }
    void SetAcknowledged(bool value) override { acknowledged_ = value; }
    void SetZeroResult(const std::string& value) override { zeroResult_ = value; }
    void SetSpanResult(const std::string& value) override { spanResult_ = value; }
    void ModelRecognised() override;
    void GasReadings(const std::array<Single, 6>& readings, bool lowRange5, bool lowRange6) override;

    void LogMessage(int number, const std::string& argument = {});
    std::string NowText() const;
    static bool ChannelPassed(const std::string& result, Integer gas);

    IPort& serial_;
    IIrdaPort& irda_;
    IEventLoop& loop_;
    CommLog log_;
    ILinkListener noListener_;
    ILinkListener* listener_ = &noListener_;
    clsInstrument* instrument_ = nullptr;

    // Properties.
    Integer retry_ = 0;
    bool cancel_ = false;
    bool binaryRetry_ = false;
    bool serialComm_ = false;
    bool enabled_ = true;
    std::array<Single, 5> factCal_{};

    // Inner state.
    Integer timeoutTicks_ = 0;
    Integer timeoutCountdown_ = 0;
    Integer retryCount_ = 0;
    Integer keepAlive_ = 5;
    Long tickCount_ = 0;
    Long connection_ = connNone;
    Long status_ = stsReset;
    Integer errorCount_ = 0;
    bool replyValid_ = false;
    bool acknowledged_ = false;
    std::string zeroResult_, spanResult_;
    std::string lastFrame_;
    std::string receiveBuffer_;
    std::string receivedFrame_;
    std::string receiveBytes_;
    std::string lastReplyData_;

    // Binary dump fields.
    std::string dumpPath_;
    long dumpPosition_ = 0;
    long dumpExpected_ = 512;
    long dumpReceived_ = 0;

    IEventLoop::TimerId linkTimer_ = 0;
    IEventLoop::TimerId pollTimer_ = 0;

    // ---- Maintenance, calibration and dumps (Maintenance.cpp, Calibration.cpp, MemoryDump.cpp) ----
    struct PolledAction;
    bool SendAction(const std::string& body, bool initFlag = true, Long waitStatus = stsWaitWrite);
    bool PollUntil(const std::string& body, Long waitStatus, int pauseMs, const std::function<bool()>& done,
                   const std::function<void()>& beforePoll = {});
    bool PollUntilAcknowledged(const std::string& body, Long waitStatus, int pauseMs,
                               const std::function<void()>& beforePoll = {});
    bool RunPolledAction(const PolledAction& action);
    void Pause(int ms);
    void BeginOperation();
    bool CalibrationStep(const std::string& body);
    void LogCalibrationFailure();
    bool StartImage(const std::string& fileName, Integer first, Integer last);
    bool FetchBlock(Integer block, Date started);
    void StopImage(Integer block, bool hold);
    void ListingData(Long lineNumber, const std::string& hexData) override;
    void WriteListingPage();
    void WriteListingHeader();

    Integer pollLimit_ = 600;
    std::function<void()> heaterPollHook_;
    DumpImageFile dumpImage_;
    std::string dumpBlock_;           // the bytes of the block being received (serial port)
    std::string dumpPreviousBlock_;   // the block taken last
    int dumpCopiesOwed_ = 0;          // answers to given-up requests of that block still to come
    Integer dumpAbandonedBlock_ = -1; // the block whose requests timed out, and how often
    int dumpAbandonedRequests_ = 0;
    std::ofstream listingFile_;       // open while GetRomDump2 runs
    struct ListingEntry {
        Long address;
        std::string data;  // 32 hexadecimal characters, 16 bytes
    };
    std::vector<ListingEntry> listingPage_;
    Long listingLine_ = 0;            // the last listing line taken in the running GetRomDump2
};

}  // namespace tz
