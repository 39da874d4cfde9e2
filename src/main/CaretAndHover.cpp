#include "main/fmMagnifier.h"

// Until the caret locator exists the tick follows the pointer.
bool Tfrmmain::GetCaretPosition(TPoint&) { return false; }

void Tfrmmain::MoveAwayFromPointer() {}
