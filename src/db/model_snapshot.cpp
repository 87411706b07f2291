#include "db/model_snapshot.h"

#include <memory>

#include "db/cdb.h"

ModelSnapshot ModelSnapshot::Take(const CDB& db) {
  ModelSnapshot copy;
  for (int32_t i = 0; i < db.BarCount(); ++i) {
    const CBar& bar = *db.Bar(i);
    BarCopy& out = copy.bars_.emplace_back();
    out.Name = bar.Name;
    out.ShowOnLaunch = bar.ShowOnLaunch;
    out.ShowOnTimer = bar.ShowOnTimer;
    out.ShowAfter = bar.ShowAfter;
    out.IconFile = bar.IconFile;
    out.IconIndex = bar.IconIndex;
    out.Available = bar.Available;
    for (int32_t b = 0; b < bar.Count(); ++b) out.Buttons.push_back(*bar.At(b));
  }
  copy.homeBar_ = db.GetHomeBar();
  return copy;
}

void ModelSnapshot::Restore(CDB& db) const {
  while (db.BarCount() > 0) db.DeleteBar(db.BarCount() - 1);
  for (const BarCopy& in : bars_) {
    CBar* bar = db.Bar(db.AddBar(in.Name));
    if (!bar) continue;
    bar->ShowOnLaunch = in.ShowOnLaunch;
    bar->ShowOnTimer = in.ShowOnTimer;
    bar->ShowAfter = in.ShowAfter;
    bar->IconFile = in.IconFile;
    bar->IconIndex = in.IconIndex;
    bar->Available = in.Available;
    // Insert renumbers the command ids as the buttons arrive.
    for (const CD& button : in.Buttons) bar->Insert(std::make_unique<CD>(button), -1);
  }
  db.SetHomeBar(homeBar_);
}
