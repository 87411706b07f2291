#include "options/clock_page_rules.h"

#include "options_ids.h"

namespace {

const BarOperations kRedock = {BarOperation::kRedockAfterOptions};

}  // namespace

const ControlBindings& ClockBindings() {
  static const ControlBindings bindings = {
      {IDC_CLOCK_AREA, ControlKind::kCheck, &Settings::ShowBlock, kRedock},
      {IDC_CLOCK_LEFT, ControlKind::kRadio, &Settings::PosLeft, kRedock, 1},
      {IDC_CLOCK_RIGHT, ControlKind::kRadio, &Settings::PosLeft, kRedock, 0},
      {IDC_CLOCK_ONE_LINE, ControlKind::kRadio, &Settings::OneLine, kRedock, 1},
      {IDC_CLOCK_TWO_LINES, ControlKind::kRadio, &Settings::OneLine, kRedock, 0},
      {IDC_CLOCK_DATE, ControlKind::kCheck, &Settings::ShowCal, kRedock},
      {IDC_CLOCK_YEAR, ControlKind::kCheck, &Settings::ShowYear, kRedock},
      {IDC_CLOCK_DAY_OF_WEEK, ControlKind::kCheck, &Settings::DayOfWeek, kRedock},
      {IDC_CLOCK_DATE_FORMAT, ControlKind::kList, &Settings::CalType, kRedock},
      {IDC_CLOCK_DATE_SEP, ControlKind::kList, &Settings::CalSepType, kRedock},
      {IDC_CLOCK_CLOCK, ControlKind::kCheck, &Settings::ShowClock, kRedock},
      {IDC_CLOCK_SECONDS, ControlKind::kCheck, &Settings::Sec, kRedock},
      {IDC_CLOCK_12H, ControlKind::kRadio, &Settings::Type12h, kRedock, 1},
      {IDC_CLOCK_24H, ControlKind::kRadio, &Settings::Type12h, kRedock, 0},
      {IDC_CLOCK_TIME_SEP, ControlKind::kList, &Settings::ClockSepType, kRedock},
  };
  return bindings;
}

const std::vector<ListContents>& ClockLists() {
  static const std::vector<ListContents> lists = {
      {IDC_CLOCK_DATE_FORMAT,
       {"23 January 2002", "January 23 2002", "2002 23 January", "2002 January 23", "23.01.2002", "01.23.2002",
        "2002.23.01", "2002.01.23"}},
      {IDC_CLOCK_DATE_SEP, {"space", "dot", "slash", "comma"}},
      {IDC_CLOCK_TIME_SEP, {"colon", "dot", "slash", "space", "comma"}},
  };
  return lists;
}

std::vector<ControlEnabled> ClockEnabling(const Settings& settings) {
  const bool area = settings.ShowBlock != 0;
  const bool date = area && settings.ShowCal != 0;
  const bool clock = area && settings.ShowClock != 0;
  return {
      {IDC_CLOCK_LEFT, area},         {IDC_CLOCK_RIGHT, area},     {IDC_CLOCK_ONE_LINE, area},
      {IDC_CLOCK_TWO_LINES, area},    {IDC_CLOCK_DATE, area},      {IDC_CLOCK_CLOCK, area},
      {IDC_CLOCK_DATE_FORMAT, date},  {IDC_CLOCK_DAY_OF_WEEK, date}, {IDC_CLOCK_DATE_SEP, date},
      {IDC_CLOCK_SECONDS, clock},     {IDC_CLOCK_12H, clock},      {IDC_CLOCK_24H, clock},
      {IDC_CLOCK_TIME_SEP, clock},    {IDC_CLOCK_YEAR, true},
  };
}

int32_t OneLineFor(const Settings& settings) { return settings.ShowCal != 0 && settings.ShowClock != 0 ? 0 : 1; }

std::optional<ClockReaction> ClockControlChanged(int id, int state, Settings& settings) {
  std::optional<BarOperations> operations = StoreControl(ClockBindings(), id, state, settings);
  if (!operations) return std::nullopt;
  ClockReaction reaction;
  reaction.operations = *operations;
  switch (id) {
    case IDC_CLOCK_AREA:
      reaction.enablingChanged = true;
      break;
    case IDC_CLOCK_DATE:
    case IDC_CLOCK_CLOCK:
      settings.OneLine = OneLineFor(settings);
      reaction.enablingChanged = true;
      reaction.layoutChanged = true;
      break;
    case IDC_CLOCK_DATE_FORMAT:
      reaction.focusPage = true;
      break;
    default:
      break;
  }
  return reaction;
}

BarOperations ClockPageOk(int dayOfWeek, int seconds, Settings& settings) {
  settings.DayOfWeek = dayOfWeek != 0 ? 1 : 0;
  settings.Sec = seconds != 0 ? 1 : 0;
  return kRedock;
}
