// Pen capture throughput: packets per second handled by the focused area
// control of the real Setup dialog (Whole Tablet off), against a window that
// only reads each packet from its own context. Rounds alternate between the
// two, and only one context is open at a time, so each packet goes to one
// window.
#include <vector>

#include "bench_inproc.h"
#include "bench_support.h"
#include "defs/features.h"
#include "driver/vellix.h"
#include "setup/setup.h"

namespace bench {

namespace {

constexpr int Batch = 16;  // packets posted before pumping; the stand-in keeps up to 128
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

template <typename T>
T Entry(HMODULE module, WORD ordinal) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
}

LRESULT CALLBACK SinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PacketMessage) {
        PacketRecord packet;
        if (rawContext && raw.packet(rawContext, static_cast<UINT>(wParam), &packet)) ++rawReceived;
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

// A pen gliding over the tablet with no button down, inside the whole tablet.
void InjectPath(int packets) {
    for (int sent = 0; sent < packets;) {
        for (int k = 0; k < Batch && sent < packets; ++k, ++sent)
            Sim().InjectPacket(Pen, 0, 100 + (sent * 37) % (TabletX - 200), 100 + (sent * 53) % (TabletY - 200));
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

// What the calls that the area control makes for every packet cost on this
// system, for reading the result: the echo's caret move and the inactivity
// timer's restart, against one packet's post and dispatch.
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
    started = NowMs();
    for (int i = 0; i < Repeats; ++i) {
        PostMessageA(sink, WM_NULL, 0, 0);
        Pump();
    }
    double post = (NowMs() - started) * 1000.0 / Repeats;
    DestroyWindow(probe);
    Pump();
    Note("per call here: caret move and show %.0f us, timer restart %.0f us, one message posted and pumped %.0f us", caret,
         timer, post);
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
    if (IsDlgButtonChecked(dialog, IDC_WHOLE_TABLET) == BST_CHECKED || !IsWindowEnabled(GetDlgItem(dialog, IDC_AREA_CONTROL)))
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
    NotePacketPathCosts(sink);
    SetFocus(nullptr);
    DestroyWindow(dialog);
    DestroyWindow(sink);
    Pump();
    if (UnexpectedBoxes()) return Fail("a message box appeared during the capture");

    double program = Median(rates[0]), baseline = Median(rates[1]);
    double ratio = PairedRatio(rates[0], rates[1]);
    Note("pen capture: ratio of the medians %.2f, median of the paired ratios %.2f", baseline > 0 ? program / baseline : 0,
         ratio);
    Row(Format("pen capture, packets/s (median of %d x %d)", static_cast<int>(rates[0].size()), packets), Format("%.0f /s", program),
        Format("%.0f /s", baseline), Format("%.2f", ratio), ">= 0.5x and >= 10000/s",
        ratio >= 0.5 && program >= 10000 ? "ok" : "MISSED");
    // Per packet, from the last timed round.
    Row("driver calls: one packet (focused area control)",
        Format("%g [%s]", static_cast<double>(last.calls) / packets, last.breakdown.c_str()), "", "", "", "info");
    return 0;
}

}  // namespace bench
