#pragma once
// Records the notifications a window's manager delivers, as (type, sender id) pairs in order.

#include <utility>
#include <vector>

#include "ui/core/CUIControl.h"
#include "ui/core/UINotification.h"

namespace vorlix {
namespace test {

class CNotifyLog : public INotifyUI {
 public:
  std::vector<std::pair<int, int>> events;  // type, sender id
  void Notify(const UINotification& msg) override {
    events.emplace_back(msg.Type, msg.pSender != nullptr ? msg.pSender->GetId() : 0);
  }
  int Count(int type, int id) const {
    int n = 0;
    for (const auto& e : events) n += (e.first == type && e.second == id) ? 1 : 0;
    return n;
  }
};

}  // namespace test
}  // namespace vorlix
