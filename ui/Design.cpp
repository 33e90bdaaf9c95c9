// Building controls from a design table.
#include "ui/Design.h"

#include "base/Error.h"
#include "ui/Control.h"

namespace qs {

void BuildControls(TControl& owner, std::span<const TDesignRow> rows) {
  TAlignLock lock(owner);
  for (const TDesignRow& row : rows) {
    TControl* parent = &owner;
    if (row.Parent) {
      parent = owner.Find<TControl>(row.Parent);
      if (!parent) throw EQsError(std::wstring(L"设计表中的父控件不存在：") + row.Parent);
    }
    TControl* c = owner.Own(row.Make());
    c->SetName(row.Name);
    c->SetParent(parent);
    c->SetBounds(row.Left, row.Top, row.Width, row.Height);
    c->Configure(row.Settings);
  }
}

}  // namespace qs
