// The memo's text layout (TrpMemoTextLayout of the report model) done by
// TrpDrawText. installMemoTextLayout makes every memo use it.
#pragma once

#include "report/model/trpmemoview.h"

namespace bralvo::report {

void installMemoTextLayout();

} // namespace bralvo::report
