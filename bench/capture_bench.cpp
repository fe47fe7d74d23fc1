// Pen capture throughput: packets per second handled by the focused area
// control of the real Setup dialog (Whole Tablet off), against a window that
// only reads each packet from its own context; and the echo's lag behind a
// backlog: from posting many packets at once until the caret stands at the
// last one's place, against the time the reader takes to drain the same.
// Rounds alternate between the two, and only one context is open at a time,
// so each packet goes to one window.
#include <vector>

#include "bench_inproc.h"
#include "bench_support.h"
#include "controls/area_capture.h"
#include "defs/features.h"
#include "driver/vellix.h"
#include "setup/setup.h"

namespace bench {

namespace {

constexpr int Batch = 16;      // packets posted before pumping; the stand-in keeps up to 128
constexpr int Backlog = 2000;  // packets posted at once for the lag measure
constexpr int BacklogRounds = 5;
constexpr UINT Pen = 0;
constexpr LONG TabletX = 12000, TabletY = 9000;  // the built-in tablet
constexpr WORD StoppedFlag = 0x0001;
constexpr int AreaStateSlot = 32;

// The raw reader calls the stand-in's entry points itself, bound by ordinal.
typedef UINT(WINAPI* InfoEntry)(UINT, UINT, LPVOID);
typedef ContextHandle(WINAPI* OpenEntry)(HWND, ContextRecord*, BOOL);
typedef BOOL(WINAPI* CloseEntry)(ContextHandle);
typedef BOOL(WINAPI* PacketEntry)(ContextHandle, UINT, LPVOID);

struct RawDriver {
    InfoEntry info = nullptr;
    OpenEntry open = nullptr;
    CloseEntry close = nullptr;
    PacketEntry packet = nullptr;
};
RawDriver raw;
ContextHandle rawContext = 0;
long rawReceived = 0;
POINT rawLast = {-1, -1};  // the position of the last packet read

template <typename T>
T Entry(HMODULE module, WORD ordinal) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
}

LRESULT CALLBACK SinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PacketMessage) {
        PacketRecord packet;
        if (rawContext && raw.packet(rawContext, static_cast<UINT>(wParam), &packet)) {
            ++rawReceived;
            rawLast = {packet.x, packet.y};
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateSink() {
    WNDCLASSA sinkClass = {};
    sinkClass.lpfnWndProc = SinkProc;
    sinkClass.hInstance = GetModuleHandleA(nullptr);
    sinkClass.lpszClassName = "Bench Packet Sink";
    RegisterClassA(&sinkClass);
    return CreateWindowExA(0, sinkClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// A pen gliding over the tablet with no button down, inside the whole tablet:
// the place of its packet number n.
POINT PathPoint(int n) { return {100 + (n * 37) % (TabletX - 200), 100 + (n * 53) % (TabletY - 200)}; }

void InjectPath(int packets, int batch = Batch) {
    for (int sent = 0; sent < packets;) {
        for (int k = 0; k < batch && sent < packets; ++k, ++sent) {
            POINT at = PathPoint(sent);
            Sim().InjectPacket(Pen, 0, at.x, at.y);
        }
        Pump();
    }
}

// Packets per second read by the raw window; 0 when packets were lost.
double RawRound(HWND sink, const ContextRecord& record, int packets) {
    ContextRecord copy = record;
    rawContext = raw.open(sink, &copy, TRUE);
    if (!rawContext) return 0;
    rawReceived = 0;
    double started = NowMs();
    InjectPath(packets);
    double ms = NowMs() - started;
    raw.close(rawContext);
    rawContext = 0;
    if (rawReceived != packets) {
        Note("raw reader: %ld of %d packets", rawReceived, packets);
        return 0;
    }
    return packets * 1000.0 / ms;
}

struct ProgramRound {
    double rate = 0;
    int calls = 0;
    std::string breakdown;
};

// Packets per second handled by the focused area control; 0 when packets
// were not all read or the capture stopped.
ProgramRound ProgramRoundRun(HWND dialog, int packets, bool countCalls) {
    ProgramRound round;
    HWND area = GetDlgItem(dialog, IDC_AREA_CONTROL);
    Sim().ClearLog();
    SetFocus(area);  // the capture starts: its context opens
    Pump();
    if (countCalls) {
        CallRow("area control focused (capture starts)", Sim().TotalCalls(), CallBreakdown());
        NoteCallLog("area control focused");
    }
    if (Sim().OpenedContextCount() != 1) {
        Note("capture context not open (%d open)", Sim().OpenedContextCount());
        return round;
    }
    Sim().ClearLog();
    InjectPath(1);  // the first packet switches the echo on; not timed
    if (countCalls) {
        CallRow("first packet after focus (echo on)", Sim().TotalCalls(), CallBreakdown());
        NoteCallLog("first packet");
    }
    Sim().ClearLog();
    double started = NowMs();
    InjectPath(packets);
    double ms = NowMs() - started;
    int read = Sim().CallCount(24);
    round.calls = Sim().TotalCalls();
    round.breakdown = CallBreakdown(packets);
    bool stopped = (GetWindowWord(area, AreaStateSlot) & StoppedFlag) != 0;
    Sim().ClearLog();
    SetFocus(GetDlgItem(dialog, IDOK));  // the capture ends
    Pump();
    if (countCalls) {
        CallRow("area control left (capture ends)", Sim().TotalCalls(), CallBreakdown());
        NoteCallLog("area control left");
    }
    if (read != packets || stopped) {
        Note("area control: %d of %d packets read%s", read, packets, stopped ? ", capture stopped" : "");
        return round;
    }
    round.rate = packets * 1000.0 / ms;
    return round;
}

// Milliseconds from posting the backlog at once until the raw reader has
// drained it; negative when the last packet was not read.
double RawBacklogRound(HWND sink, const ContextRecord& record) {
    ContextRecord copy = record;
    rawContext = raw.open(sink, &copy, TRUE);
    if (!rawContext) return -1;
    rawReceived = 0;
    rawLast = {-1, -1};
    double started = NowMs();
    InjectPath(Backlog, Backlog);
    double ms = NowMs() - started;
    raw.close(rawContext);
    rawContext = 0;
    POINT last = PathPoint(Backlog - 1);
    if (rawLast.x != last.x || rawLast.y != last.y) {
        Note("raw reader: the last packet of the backlog was not read (%ld read)", rawReceived);
        return -1;
    }
    return ms;
}

// Milliseconds from posting the backlog at once until every message is
// handled and the echo caret stands at the last packet's place; negative
// when it does not stand there.
double ProgramBacklogRound(HWND dialog) {
    HWND area = GetDlgItem(dialog, IDC_AREA_CONTROL);
    SetFocus(area);
    Pump();
    InjectPath(1);  // the echo on; not timed
    double started = NowMs();
    InjectPath(Backlog, Backlog);
    double ms = NowMs() - started;
    POINT caret = {-1, -1};
    GetCaretPos(&caret);
    POINT expected = PathPoint(Backlog - 1);
    TabletToClient(area, &expected, 1);
    expected.x -= GetSystemMetrics(SM_CXCURSOR) / 2;
    expected.y -= GetSystemMetrics(SM_CYCURSOR) / 2;
    SetFocus(GetDlgItem(dialog, IDOK));  // the capture ends
    Pump();
    if (caret.x != expected.x || caret.y != expected.y) {
        Note("area control: after the backlog the caret stands at (%ld, %ld), not (%ld, %ld)", caret.x, caret.y,
             expected.x, expected.y);
        return -1;
    }
    return ms;
}

// What the calls that the area control makes cost on this system, for
// reading the result: once per burst the echo's caret move and the message it
// posts itself to place it, against one packet's post and dispatch; and two
// it makes no longer, per packet: the inactivity timer's restart and a look
// into the queue for a newer packet.
void NotePacketPathCosts(HWND sink) {
    constexpr int Repeats = 500;
    HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    if (!probe) return;
    SetFocus(probe);
    HBITMAP image = CreateBitmap(32, 32, 1, 1, nullptr);
    CreateCaret(probe, image, 0, 0);
    double started = NowMs();
    for (int i = 0; i < Repeats; ++i) {
        SetCaretPos(i % 32, i % 16);
        ShowCaret(probe);
    }
    double caret = (NowMs() - started) * 1000.0 / Repeats;
    DestroyCaret();
    if (image) DeleteObject(image);
    started = NowMs();
    for (int i = 0; i < Repeats; ++i) {
        KillTimer(probe, 0);
        SetTimer(probe, 0, 5000, nullptr);
    }
    double timer = (NowMs() - started) * 1000.0 / Repeats;
    KillTimer(probe, 0);
    PostMessageA(sink, WM_NULL, 0, 0);
    MSG waiting;
    started = NowMs();
    for (int i = 0; i < Repeats; ++i) PeekMessageA(&waiting, sink, WM_NULL, WM_NULL, PM_NOREMOVE | PM_NOYIELD);
    double peek = (NowMs() - started) * 1000.0 / Repeats;
    Pump();
    started = NowMs();
    for (int i = 0; i < Repeats; ++i) {
        PostMessageA(sink, WM_NULL, 0, 0);
        Pump();
    }
    double post = (NowMs() - started) * 1000.0 / Repeats;
    DestroyWindow(probe);
    Pump();
    Note(
        "per call here: caret move and show %.0f us, timer restart %.0f us, look for a waiting message %.0f us, "
        "one message posted and pumped %.0f us",
        caret, timer, peek, post);
}

}  // namespace

int RunCaptureBench(int rounds, int packets) {
    if (rounds < 5) rounds = 5;
    if (packets < 500) packets = 500;
    if (!ResetStandIn()) return Fail("stand-in not loaded");
    HMODULE module = Sim().Module();
    raw.info = Entry<InfoEntry>(module, 20);
    raw.open = Entry<OpenEntry>(module, 21);
    raw.close = Entry<CloseEntry>(module, 22);
    raw.packet = Entry<PacketEntry>(module, 24);
    if (!raw.info || !raw.open || !raw.close || !raw.packet) return Fail("stand-in entry points missing");

    HWND owner = PrepareDialogHost();
    if (!owner) return Fail("could not prepare the dialog host (classes, owner window, driver manager)");
    InstallBoxAnswerer(owner);
    HWND sink = CreateSink();
    ContextRecord record = {};
    if (!sink || !raw.info(DefaultContextInfo, 0, &record)) return Fail("raw reader: no window or default context");
    record.device = 0;
    record.packetFields = PacketFieldCursor | PacketFieldButtons | PacketFieldX | PacketFieldY;

    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETUP), owner, SetupDialogProc, 0);
    if (!dialog) return Fail("the Setup dialog could not be opened");
    ShowWindow(dialog, SW_SHOW);
    Pump();
    if (IsDlgButtonChecked(dialog, IDC_WHOLE_TABLET) == BST_CHECKED) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_WHOLE_TABLET, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_WHOLE_TABLET)));
        Pump();
    }
    if (IsDlgButtonChecked(dialog, IDC_WHOLE_TABLET) == BST_CHECKED ||
        !IsWindowEnabled(GetDlgItem(dialog, IDC_AREA_CONTROL)))
        return Fail("Whole Tablet could not be turned off: the area control is disabled");

    // Warm-up round of each, not counted; the program's also counts the
    // driver calls of focusing and leaving the control.
    if (RawRound(sink, record, packets / 4) <= 0) return Fail("raw reader lost packets");
    if (ProgramRoundRun(dialog, packets / 4, true).rate <= 0) return Fail("area control did not handle every packet");

    std::vector<double> rates[2];
    ProgramRound last;
    double budgetEnd = NowMs() + 20000;  // cut short on a crowded machine, after five of each at least
    for (int round = 0; round < rounds && (round < 5 || NowMs() < budgetEnd); ++round) {
        for (int k = 0; k < 2; ++k) {
            int which = (round % 2) ? 1 - k : k;
            if (which == 0) {
                last = ProgramRoundRun(dialog, packets, false);
                if (last.rate <= 0) return Fail("area control did not handle every packet");
                rates[0].push_back(last.rate);
            } else {
                double rate = RawRound(sink, record, packets);
                if (rate <= 0) return Fail("raw reader lost packets");
                rates[1].push_back(rate);
            }
        }
    }
    std::vector<double> lags[2];
    for (int round = 0; round < BacklogRounds; ++round) {
        for (int k = 0; k < 2; ++k) {
            int which = (round % 2) ? 1 - k : k;
            double ms = which == 0 ? ProgramBacklogRound(dialog) : RawBacklogRound(sink, record);
            if (ms < 0)
                return Fail(which == 0 ? "the echo did not reach the backlog's last packet"
                                       : "raw reader missed the backlog's last packet");
            lags[which].push_back(ms);
        }
    }
    // The stand-in keeps the newest 128 packets of a context: the messages of
    // older ones find nothing to read, on both sides alike.
    Note("backlog: the raw reader read %ld of the %d packets", rawReceived, Backlog);
    NotePacketPathCosts(sink);
    SetFocus(nullptr);
    DestroyWindow(dialog);
    DestroyWindow(sink);
    Pump();
    if (UnexpectedBoxes()) return Fail("a message box appeared during the capture");

    double program = Median(rates[0]), baseline = Median(rates[1]);
    double ratio = PairedRatio(rates[0], rates[1]);
    Note("pen capture: ratio of the medians %.2f, median of the paired ratios %.2f",
         baseline > 0 ? program / baseline : 0, ratio);
    const char* format = sizeof(void*) == 4 ? "PE32" : "PE32+";
    Row(Format("pen capture, %s, packets/s (median of %d x %d)", format, static_cast<int>(rates[0].size()), packets),
        Format("%.0f /s", program), Format("%.0f /s", baseline), Format("%.2f", ratio), ">= 0.6x",
        ratio >= 0.6 ? "ok" : "MISSED");
    Note("echo lag: ratio of the medians %.2f", Median(lags[1]) > 0 ? Median(lags[0]) / Median(lags[1]) : 0);
    Row(Format("echo lag, %s, behind %d packets posted at once (median of %d)", format, Backlog,
               static_cast<int>(lags[0].size())),
        Format("%.1f ms", Median(lags[0])), Format("%.1f ms", Median(lags[1])),
        Format("%.2f", PairedRatio(lags[0], lags[1])), "", "info");
    // Per packet, from the last timed round.
    Row("driver calls: one packet (focused area control)",
        Format("%g [%s]", static_cast<double>(last.calls) / packets, last.breakdown.c_str()), "", "", "", "info");
    return 0;
}

}  // namespace bench
