#include "db/cdb.h"

#include <utility>

#include "db/db_paths.h"
#include "platform/file_ops.h"
#include "platform/storage.h"

CDB::CDB() : CDB(PlatformStorage(), PlatformFileOps(), nullptr) {}

CDB::CDB(StorageBackend& storage, FileOps& files, ErrorReporter reporter)
    : storage_(storage), files_(files), reporter_(std::move(reporter)) {}

CDB::~CDB() = default;

int32_t CDB::AddBar(const std::string& name) {
  auto bar = std::make_unique<CBar>();
  bar->Name = name;
  bar->IconFile = DefaultIconFile();
  bar->IconIndex = 0;
  bar->Available = 1;
  bar->SetOrdinal(BarCount());
  bars_.push_back(std::move(bar));
  return BarCount() - 1;
}

int CDB::AddButton(ButtonSpec request) {
  CBar* bar = Bar(request.Bar);
  if (!bar) return 0;
  auto button = std::make_unique<CD>();
  static_cast<ButtonFields&>(*button) = std::move(request);
  button->ShowCmd = request.ShowCmd;
  button->Kind = request.Kind;
  button->Available = request.Available ? 1 : 0;
  button->IsSeparator = 0;
  return bar->Insert(std::move(button), request.Position);
}

int32_t CDB::DeleteBar(int32_t ordinal) {
  if (!Bar(ordinal)) return BarCount();
  bars_.erase(bars_.begin() + ordinal);
  if (homeBar_ == ordinal)
    homeBar_ = -1;
  else if (homeBar_ > ordinal)
    --homeBar_;
  Renumber(static_cast<size_t>(ordinal));
  return BarCount();
}

void CDB::SwapBars(int32_t first, int32_t second) {
  if (!Bar(first) || !Bar(second) || first == second) return;
  std::swap(bars_[first], bars_[second]);
  if (homeBar_ == first)
    homeBar_ = second;
  else if (homeBar_ == second)
    homeBar_ = first;
  bars_[first]->SetOrdinal(first);
  bars_[second]->SetOrdinal(second);
}

void CDB::SetHomeBar(int32_t ordinal) {
  if (ordinal >= -1 && ordinal < BarCount()) homeBar_ = ordinal;
}

CBar* CDB::Bar(int32_t ordinal) {
  return ordinal >= 0 && ordinal < BarCount() ? bars_[ordinal].get() : nullptr;
}

const CBar* CDB::Bar(int32_t ordinal) const {
  return ordinal >= 0 && ordinal < BarCount() ? bars_[ordinal].get() : nullptr;
}

std::string CDB::DefaultIconFile() const { return JoinPath(programFolder_, kProgramFileName); }

std::string CDB::PathOf(const char* fileName) const { return JoinPath(programFolder_, fileName); }

void CDB::ReportStorageError(const std::string& suffix) const {
  if (reporter_) reporter_(suffix);
}

void CDB::Renumber(size_t from) {
  for (size_t i = from; i < bars_.size(); ++i) bars_[i]->SetOrdinal(static_cast<int32_t>(i));
}


