#include "platform/win32/CaretProbe.h"

#include <windows.h>

#include <optional>

#include "base/Arith.h"
#include "platform/win32/UiAutomation.h"

namespace caret_probe {
namespace {

// Cross-process automation calls default to waiting seconds on a stalled application; the
// tick runs up to 60 times a second.
constexpr DWORD kAutomationConnectionTimeoutMs = 100;
constexpr DWORD kAutomationTransactionTimeoutMs = 100;

// Input state shared with another thread for as long as this lives. Hold it only around
// calls that cannot block: while attached, this thread's input waits on the other's.
class InputAttachment {
 public:
  explicit InputAttachment(DWORD otherThread)
      : own_(::GetCurrentThreadId()),
        other_(otherThread),
        attached_(::AttachThreadInput(own_, other_, TRUE) != FALSE) {}
  ~InputAttachment() {
    if (attached_) ::AttachThreadInput(own_, other_, FALSE);
  }
  InputAttachment(const InputAttachment&) = delete;
  InputAttachment& operator=(const InputAttachment&) = delete;

  bool Attached() const { return attached_; }

 private:
  DWORD own_;
  DWORD other_;
  bool attached_;
};

// A stalled application is treated as one whose input cannot be shared.
bool Responsive(HWND window) { return !::IsHungAppWindow(window); }

// The focus window of the input state this thread sees now, and its caret on the desktop.
struct FocusCaret {
  HWND focus = nullptr;
  bool read = false;
  POINT at{0, 0};
};
FocusCaret ReadFocusCaret() {
  FocusCaret result;
  result.focus = ::GetFocus();
  if (result.focus == nullptr) return result;
  result.read = ::GetCaretPos(&result.at) != FALSE;
  ::ClientToScreen(result.focus, &result.at);
  return result;
}

void BoundWaits(uia::IUIAutomation* automation) {
  ComPtr<uia::IUIAutomation2> bounded;
  if (FAILED(automation->QueryInterface(uia::kIUIAutomation2, &bounded)) || !bounded) return;
  bounded->put_ConnectionTimeout(kAutomationConnectionTimeoutMs);
  bounded->put_TransactionTimeout(kAutomationTransactionTimeoutMs);
}

}  // namespace

AutomationClient::AutomationClient() = default;
AutomationClient::~AutomationClient() = default;

uia::IUIAutomation* AutomationClient::Client() {
  // Another thread would be calling into this apartment's object without marshalling.
  if (client_) return ::GetCurrentThreadId() == thread_ ? client_.Get() : nullptr;
  if (unavailable_) return nullptr;
  if (FAILED(::CoCreateInstance(uia::kCUIAutomation, nullptr, CLSCTX_INPROC_SERVER, uia::kIUIAutomation, &client_)) ||
      !client_) {
    client_.Reset();
    unavailable_ = true;
    return nullptr;
  }
  thread_ = ::GetCurrentThreadId();
  BoundWaits(client_.Get());
  return client_.Get();
}

bool AutomationClient::FindCaret(Point& caret) {
  caret = Point{};
  // The focused element lives in the foreground application; one that has stopped
  // responding would hold every call below until the timeouts expire, on every tick.
  HWND foreground = ::GetForegroundWindow();
  if (foreground != nullptr && !Responsive(foreground)) return false;
  uia::IUIAutomation* automation = Client();
  if (automation == nullptr) return false;

  ComPtr<uia::IUIAutomationElement> element;
  if (FAILED(automation->GetFocusedElement(&element)) || !element) return false;
  ComPtr<IUnknown> pattern;
  if (FAILED(element->GetCurrentPattern(uia::kTextPatternId, &pattern)) || !pattern) return false;
  ComPtr<uia::IUIAutomationTextPattern> text;
  if (FAILED(pattern->QueryInterface(uia::kIUIAutomationTextPattern, &text)) || !text) return false;
  ComPtr<uia::IUIAutomationTextRangeArray> selection;
  if (FAILED(text->GetSelection(&selection)) || !selection) return false;
  ComPtr<uia::IUIAutomationTextRange> range;
  if (FAILED(selection->GetElement(0, &range)) || !range) return false;

  // Four doubles per rectangle: left, top, width, height.
  SafeArray rectangles;
  if (FAILED(range->GetBoundingRectangles(rectangles.Put())) || rectangles.Get() == nullptr) return false;
  LONG lower = 0;
  LONG upper = 0;
  if (FAILED(::SafeArrayGetLBound(rectangles.Get(), 1, &lower)) ||
      FAILED(::SafeArrayGetUBound(rectangles.Get(), 1, &upper)) || upper - lower + 1 < 2) {
    return false;
  }
  const SafeArrayData data(rectangles.Get());
  if (data.Doubles() == nullptr) return false;
  caret = Point{Round(data.Doubles()[0]), Round(data.Doubles()[1])};
  return true;
}

bool FromThreadInput(Point& caret) {
  caret = Point{};
  HWND foreground = ::GetForegroundWindow();
  if (foreground == nullptr) return false;
  const DWORD thread = ::GetWindowThreadProcessId(foreground, nullptr);
  // Without an attachment the focus seen is this program's own.
  std::optional<InputAttachment> attachment;
  if (thread != ::GetCurrentThreadId() && Responsive(foreground)) attachment.emplace(thread);
  const FocusCaret seen = ReadFocusCaret();
  attachment.reset();
  if (seen.focus == nullptr || !seen.read) return false;
  caret = Point{seen.at.x, seen.at.y};
  return true;
}

ForegroundFocus LookAtForegroundFocus() {
  ForegroundFocus result;
  HWND foreground = ::GetForegroundWindow();
  if (foreground == nullptr) return result;
  const DWORD thread = ::GetWindowThreadProcessId(foreground, nullptr);
  if (thread == ::GetCurrentThreadId()) {
    result.look = FocusLook::OwnThread;
    return result;
  }
  result.look = FocusLook::NotAttached;
  if (!Responsive(foreground)) return result;
  FocusCaret seen;
  {
    const InputAttachment attachment(thread);
    if (!attachment.Attached()) return result;
    seen = ReadFocusCaret();
  }
  if (seen.focus == nullptr) {
    result.look = FocusLook::NoFocusWindow;
    return result;
  }
  result.look = FocusLook::FocusWindow;
  result.caretRead = seen.read;
  result.caret = Point{seen.at.x, seen.at.y};
  return result;
}

}  // namespace caret_probe
