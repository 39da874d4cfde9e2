#pragma once

// The UI Automation client interfaces this program calls, which the MinGW-w64 headers do not
// declare. Every method is listed so that the vtable slots match the system's.
#include <oaidl.h>
#include <objbase.h>
#include <windows.h>

namespace uia {

inline constexpr CLSID kCUIAutomation = {0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
inline constexpr IID kIUIAutomation = {0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};
// Windows 8 and later; its timeouts keep a stalled application from stalling the caller.
inline constexpr IID kIUIAutomation2 = {0x34723aff, 0x0c9d, 0x49d0, {0x98, 0x96, 0x7a, 0xb5, 0x2d, 0xf8, 0xcd, 0x8a}};
inline constexpr IID kIUIAutomationTextPattern = {
    0x32eba289, 0x3583, 0x42c9, {0x9c, 0x59, 0x3b, 0x6d, 0x9a, 0x1e, 0x9b, 0x6a}};
inline constexpr int kTextPatternId = 10014;

using PropertyId = int;
using PatternId = int;
using EventId = int;
using ControlTypeId = int;
using TextAttributeId = int;
using UiaHwnd = void*;
enum TreeScope : int {};
enum PropertyConditionFlags : int {};
enum OrientationType : int {};
enum SupportedTextSelection : int {};
enum TextPatternRangeEndpoint : int {};
enum TextUnit : int {};

struct IUIAutomationElement;
struct IUIAutomationElementArray;
struct IUIAutomationCondition;
struct IUIAutomationCacheRequest;
struct IUIAutomationTreeWalker;
struct IUIAutomationEventHandler;
struct IUIAutomationPropertyChangedEventHandler;
struct IUIAutomationStructureChangedEventHandler;
struct IUIAutomationFocusChangedEventHandler;
struct IUIAutomationProxyFactory;
struct IUIAutomationProxyFactoryEntry;
struct IUIAutomationProxyFactoryMapping;
struct IUIAutomationTextRange;
struct IUIAutomationTextRangeArray;
struct IAccessible;

// COM objects are released, never deleted through these pointers.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

struct IUIAutomation : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CompareElements(IUIAutomationElement*, IUIAutomationElement*, BOOL*) = 0;
  virtual HRESULT STDMETHODCALLTYPE CompareRuntimeIds(SAFEARRAY*, SAFEARRAY*, BOOL*) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRootElement(IUIAutomationElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromHandle(UiaHwnd, IUIAutomationElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromPoint(POINT, IUIAutomationElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFocusedElement(IUIAutomationElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRootElementBuildCache(IUIAutomationCacheRequest*, IUIAutomationElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromHandleBuildCache(UiaHwnd, IUIAutomationCacheRequest*,
                                                                IUIAutomationElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromPointBuildCache(POINT, IUIAutomationCacheRequest*,
                                                               IUIAutomationElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFocusedElementBuildCache(IUIAutomationCacheRequest*, IUIAutomationElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateTreeWalker(IUIAutomationCondition*, IUIAutomationTreeWalker**) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ControlViewWalker(IUIAutomationTreeWalker**) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ContentViewWalker(IUIAutomationTreeWalker**) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_RawViewWalker(IUIAutomationTreeWalker**) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_RawViewCondition(IUIAutomationCondition**) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ControlViewCondition(IUIAutomationCondition**) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ContentViewCondition(IUIAutomationCondition**) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateCacheRequest(IUIAutomationCacheRequest**) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateTrueCondition(IUIAutomationCondition**) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateFalseCondition(IUIAutomationCondition**) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreatePropertyCondition(PropertyId, VARIANT, IUIAutomationCondition**) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreatePropertyConditionEx(PropertyId, VARIANT, PropertyConditionFlags,
                                                              IUIAutomationCondition**) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateAndCondition(IUIAutomationCondition*, IUIAutomationCondition*,
                                                       IUIAutomationCondition**) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateAndConditionFromArray(SAFEARRAY*, IUIAutomationCondition**) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateAndConditionFromNativeArray(IUIAutomationCondition**, int,
                                                                      IUIAutomationCondition**) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateOrCondition(IUIAutomationCondition*, IUIAutomationCondition*,
                                                      IUIAutomationCondition**) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateOrConditionFromArray(SAFEARRAY*, IUIAutomationCondition**) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateOrConditionFromNativeArray(IUIAutomationCondition**, int,
                                                                     IUIAutomationCondition**) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateNotCondition(IUIAutomationCondition*, IUIAutomationCondition**) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddAutomationEventHandler(EventId, IUIAutomationElement*, TreeScope,
                                                              IUIAutomationCacheRequest*,
                                                              IUIAutomationEventHandler*) = 0;
  virtual HRESULT STDMETHODCALLTYPE RemoveAutomationEventHandler(EventId, IUIAutomationElement*,
                                                                 IUIAutomationEventHandler*) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddPropertyChangedEventHandlerNativeArray(IUIAutomationElement*, TreeScope,
                                                                              IUIAutomationCacheRequest*,
                                                                              IUIAutomationPropertyChangedEventHandler*,
                                                                              PropertyId*, int) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddPropertyChangedEventHandler(IUIAutomationElement*, TreeScope,
                                                                   IUIAutomationCacheRequest*,
                                                                   IUIAutomationPropertyChangedEventHandler*,
                                                                   SAFEARRAY*) = 0;
  virtual HRESULT STDMETHODCALLTYPE RemovePropertyChangedEventHandler(IUIAutomationElement*,
                                                                      IUIAutomationPropertyChangedEventHandler*) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddStructureChangedEventHandler(IUIAutomationElement*, TreeScope,
                                                                    IUIAutomationCacheRequest*,
                                                                    IUIAutomationStructureChangedEventHandler*) = 0;
  virtual HRESULT STDMETHODCALLTYPE RemoveStructureChangedEventHandler(IUIAutomationElement*,
                                                                       IUIAutomationStructureChangedEventHandler*) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddFocusChangedEventHandler(IUIAutomationCacheRequest*,
                                                                IUIAutomationFocusChangedEventHandler*) = 0;
  virtual HRESULT STDMETHODCALLTYPE RemoveFocusChangedEventHandler(IUIAutomationFocusChangedEventHandler*) = 0;
  virtual HRESULT STDMETHODCALLTYPE RemoveAllEventHandlers() = 0;
  virtual HRESULT STDMETHODCALLTYPE IntNativeArrayToSafeArray(int*, int, SAFEARRAY**) = 0;
  virtual HRESULT STDMETHODCALLTYPE IntSafeArrayToNativeArray(SAFEARRAY*, int**, int*) = 0;
  virtual HRESULT STDMETHODCALLTYPE RectToVariant(RECT, VARIANT*) = 0;
  virtual HRESULT STDMETHODCALLTYPE VariantToRect(VARIANT, RECT*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SafeArrayToRectNativeArray(SAFEARRAY*, RECT**, int*) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateProxyFactoryEntry(IUIAutomationProxyFactory*,
                                                            IUIAutomationProxyFactoryEntry**) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ProxyFactoryMapping(IUIAutomationProxyFactoryMapping**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPropertyProgrammaticName(PropertyId, BSTR*) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPatternProgrammaticName(PatternId, BSTR*) = 0;
  virtual HRESULT STDMETHODCALLTYPE PollForPotentialSupportedPatterns(IUIAutomationElement*, SAFEARRAY**,
                                                                      SAFEARRAY**) = 0;
  virtual HRESULT STDMETHODCALLTYPE PollForPotentialSupportedProperties(IUIAutomationElement*, SAFEARRAY**,
                                                                        SAFEARRAY**) = 0;
  virtual HRESULT STDMETHODCALLTYPE CheckNotSupported(VARIANT, BOOL*) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ReservedNotSupportedValue(IUnknown**) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ReservedMixedAttributeValue(IUnknown**) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromIAccessible(IAccessible*, int, IUIAutomationElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromIAccessibleBuildCache(IAccessible*, int, IUIAutomationCacheRequest*,
                                                                     IUIAutomationElement**) = 0;
};

struct IUIAutomation2 : IUIAutomation {
  virtual HRESULT STDMETHODCALLTYPE get_AutoSetFocus(BOOL*) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_AutoSetFocus(BOOL) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ConnectionTimeout(DWORD*) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ConnectionTimeout(DWORD) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TransactionTimeout(DWORD*) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_TransactionTimeout(DWORD) = 0;
};

// The element's current and cached properties come in the same order, hence the macro.
#define GLIMMERLUX_UIA_ELEMENT_PROPERTIES(Kind)                                                 \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##ProcessId(int*) = 0;                            \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##ControlType(ControlTypeId*) = 0;                \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##LocalizedControlType(BSTR*) = 0;                \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##Name(BSTR*) = 0;                                \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##AcceleratorKey(BSTR*) = 0;                      \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##AccessKey(BSTR*) = 0;                           \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##HasKeyboardFocus(BOOL*) = 0;                    \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##IsKeyboardFocusable(BOOL*) = 0;                 \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##IsEnabled(BOOL*) = 0;                           \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##AutomationId(BSTR*) = 0;                        \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##ClassName(BSTR*) = 0;                           \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##HelpText(BSTR*) = 0;                            \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##Culture(int*) = 0;                              \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##IsControlElement(BOOL*) = 0;                    \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##IsContentElement(BOOL*) = 0;                    \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##IsPassword(BOOL*) = 0;                          \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##NativeWindowHandle(UiaHwnd*) = 0;               \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##ItemType(BSTR*) = 0;                            \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##IsOffscreen(BOOL*) = 0;                         \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##Orientation(OrientationType*) = 0;              \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##FrameworkId(BSTR*) = 0;                         \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##IsRequiredForForm(BOOL*) = 0;                   \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##ItemStatus(BSTR*) = 0;                          \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##BoundingRectangle(RECT*) = 0;                   \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##LabeledBy(IUIAutomationElement**) = 0;          \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##AriaRole(BSTR*) = 0;                            \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##AriaProperties(BSTR*) = 0;                      \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##IsDataValidForForm(BOOL*) = 0;                  \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##ControllerFor(IUIAutomationElementArray**) = 0; \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##DescribedBy(IUIAutomationElementArray**) = 0;   \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##FlowsTo(IUIAutomationElementArray**) = 0;       \
  virtual HRESULT STDMETHODCALLTYPE get_##Kind##ProviderDescription(BSTR*) = 0;

struct IUIAutomationElement : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetFocus() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY**) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindFirst(TreeScope, IUIAutomationCondition*, IUIAutomationElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindAll(TreeScope, IUIAutomationCondition*, IUIAutomationElementArray**) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindFirstBuildCache(TreeScope, IUIAutomationCondition*, IUIAutomationCacheRequest*,
                                                        IUIAutomationElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindAllBuildCache(TreeScope, IUIAutomationCondition*, IUIAutomationCacheRequest*,
                                                      IUIAutomationElementArray**) = 0;
  virtual HRESULT STDMETHODCALLTYPE BuildUpdatedCache(IUIAutomationCacheRequest*, IUIAutomationElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue(PropertyId, VARIANT*) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValueEx(PropertyId, BOOL, VARIANT*) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCachedPropertyValue(PropertyId, VARIANT*) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCachedPropertyValueEx(PropertyId, BOOL, VARIANT*) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentPatternAs(PatternId, REFIID, void**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCachedPatternAs(PatternId, REFIID, void**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentPattern(PatternId, IUnknown**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCachedPattern(PatternId, IUnknown**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCachedParent(IUIAutomationElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCachedChildren(IUIAutomationElementArray**) = 0;
  GLIMMERLUX_UIA_ELEMENT_PROPERTIES(Current)
  GLIMMERLUX_UIA_ELEMENT_PROPERTIES(Cached)
  virtual HRESULT STDMETHODCALLTYPE GetClickablePoint(POINT*, BOOL*) = 0;
};

#undef GLIMMERLUX_UIA_ELEMENT_PROPERTIES

struct IUIAutomationTextPattern : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE RangeFromPoint(POINT, IUIAutomationTextRange**) = 0;
  virtual HRESULT STDMETHODCALLTYPE RangeFromChild(IUIAutomationElement*, IUIAutomationTextRange**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSelection(IUIAutomationTextRangeArray**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetVisibleRanges(IUIAutomationTextRangeArray**) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_DocumentRange(IUIAutomationTextRange**) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_SupportedTextSelection(SupportedTextSelection*) = 0;
};

struct IUIAutomationTextRangeArray : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Length(int*) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetElement(int, IUIAutomationTextRange**) = 0;
};

struct IUIAutomationTextRange : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Clone(IUIAutomationTextRange**) = 0;
  virtual HRESULT STDMETHODCALLTYPE Compare(IUIAutomationTextRange*, BOOL*) = 0;
  virtual HRESULT STDMETHODCALLTYPE CompareEndpoints(TextPatternRangeEndpoint, IUIAutomationTextRange*,
                                                     TextPatternRangeEndpoint, int*) = 0;
  virtual HRESULT STDMETHODCALLTYPE ExpandToEnclosingUnit(TextUnit) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindAttribute(TextAttributeId, VARIANT, BOOL, IUIAutomationTextRange**) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindText(BSTR, BOOL, BOOL, IUIAutomationTextRange**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetAttributeValue(TextAttributeId, VARIANT*) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBoundingRectangles(SAFEARRAY**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetEnclosingElement(IUIAutomationElement**) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetText(int, BSTR*) = 0;
  virtual HRESULT STDMETHODCALLTYPE Move(TextUnit, int, int*) = 0;
  virtual HRESULT STDMETHODCALLTYPE MoveEndpointByUnit(TextPatternRangeEndpoint, TextUnit, int, int*) = 0;
  virtual HRESULT STDMETHODCALLTYPE MoveEndpointByRange(TextPatternRangeEndpoint, IUIAutomationTextRange*,
                                                        TextPatternRangeEndpoint) = 0;
  virtual HRESULT STDMETHODCALLTYPE Select() = 0;
  virtual HRESULT STDMETHODCALLTYPE AddToSelection() = 0;
  virtual HRESULT STDMETHODCALLTYPE RemoveFromSelection() = 0;
  virtual HRESULT STDMETHODCALLTYPE ScrollIntoView(BOOL) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetChildren(IUIAutomationElementArray**) = 0;
};

#pragma GCC diagnostic pop

}  // namespace uia
