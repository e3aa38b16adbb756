#pragma once
// The root of everything a form file can store: objects that list their published properties and
// define the custom properties stored beside them.
#include "tolvex/export.h"

TOLVEX_BEGIN_API
namespace tolvex {

class TPropertyList;
class TFiler;

class TPersistent {
public:
    TPersistent() = default;
    TPersistent(const TPersistent&) = delete;
    TPersistent& operator=(const TPersistent&) = delete;
    virtual ~TPersistent() = default;

    virtual const char* ClassName() const { return "TPersistent"; }
    // Adds the published properties to `list`: the base class's first, then the class's own in
    // declaration order. The entries refer to this object and live no longer than it.
    virtual void DescribeProperties(TPropertyList& list);
    // Defines the custom properties stored after the published ones (TFiler::DefineProperty).
    virtual void DefineProperties(TFiler& filer);
};

}  // namespace tolvex

TOLVEX_END_API
