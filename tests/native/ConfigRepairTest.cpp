// The repair rule of a loaded configuration record: each field just inside
// its range is left alone, just outside it is mended, and a mended record
// can always click and always has a level.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "config/ConfigRepair.h"
#include "config/FunctionTable.h"
#include "config/RecordRules.h"
#include "skin/Indicator.h"

namespace zr {
namespace {

struct FieldRow {
  const char* field;
  std::function<void(ConfigRecord&, std::int64_t)> set;
  std::function<std::int64_t(const ConfigRecord&)> get;
  std::int64_t value;
  std::optional<std::int64_t> repairedTo;  // nullopt: just inside, left alone
};

template <typename T>
void Store(T& field, std::int64_t value) {
  field = static_cast<std::remove_cvref_t<decltype(field.load())>>(value);
}
void Store(std::uint8_t& field, std::int64_t value) { field = static_cast<std::uint8_t>(value); }
void Store(std::int32_t& field, std::int64_t value) { field = static_cast<std::int32_t>(value); }

#define ZR_FIELD(name, expr)                                                     \
  name, [](ConfigRecord& r, std::int64_t v) { Store(r.expr, v); },              \
      [](const ConfigRecord& r) -> std::int64_t { return static_cast<std::int64_t>(r.expr); }

// Button slot 2 (factory code 2) stands for every slot: slot 0 keeps the left
// click, so only the code's own range is under test.
const FieldRow kFieldRows[] = {
    {ZR_FIELD("K2", K[2]), 1, std::nullopt},   {ZR_FIELD("K2", K[2]), 6, std::nullopt},
    {ZR_FIELD("K2", K[2]), 11, std::nullopt},  {ZR_FIELD("K2", K[2]), 17, std::nullopt},
    {ZR_FIELD("K2", K[2]), 21, std::nullopt},  {ZR_FIELD("K2", K[2]), 52, std::nullopt},
    {ZR_FIELD("K2", K[2]), 0, 2},              {ZR_FIELD("K2", K[2]), 7, 2},
    {ZR_FIELD("K2", K[2]), 10, 2},             {ZR_FIELD("K2", K[2]), 18, 2},
    {ZR_FIELD("K2", K[2]), 20, 2},             {ZR_FIELD("K2", K[2]), 53, 2},
    {ZR_FIELD("K2", K[2]), -1, 2},
    {ZR_FIELD("DPI_LEVEL", DPI_LEVEL), 0, std::nullopt},
    {ZR_FIELD("DPI_LEVEL", DPI_LEVEL), 3, std::nullopt},
    {ZR_FIELD("DPI_LEVEL", DPI_LEVEL), -1, 0},
    {ZR_FIELD("DPI_LEVEL", DPI_LEVEL), 4, 0},
    {ZR_FIELD("DPI_SET0", DPI_SET[0]), 11, std::nullopt},
    {ZR_FIELD("DPI_SET0", DPI_SET[0]), 12, 0},
    {ZR_FIELD("DPI_SET3", DPI_SET[3]), 12, 0},
    {ZR_FIELD("DPI_SET_EN1", DPI_SET_EN[1]), 0, std::nullopt},
    {ZR_FIELD("DPI_SET_EN1", DPI_SET_EN[1]), 2, 1},
    {ZR_FIELD("WHEEL_STATUS", WHEEL_STATUS), 1, std::nullopt},
    {ZR_FIELD("WHEEL_STATUS", WHEEL_STATUS), -1, 0},
    {ZR_FIELD("WHEEL_STATUS", WHEEL_STATUS), 2, 0},
    {ZR_FIELD("MACRO_MODE2", MACRO_MODE2), 1, std::nullopt},
    {ZR_FIELD("MACRO_MODE2", MACRO_MODE2), -1, 0},
    {ZR_FIELD("MACRO_MODE2", MACRO_MODE2), 2, 0},
    {ZR_FIELD("LED_STATUS", LED_STATUS), 3, std::nullopt},
    {ZR_FIELD("LED_STATUS", LED_STATUS), 4, 0},
    {ZR_FIELD("DPI_SPEED", DPI_SPEED), 9, std::nullopt},
    {ZR_FIELD("DPI_SPEED", DPI_SPEED), 10, 9},
    {ZR_FIELD("WHEEL_SPEED", WHEEL_SPEED), 9, std::nullopt},
    {ZR_FIELD("WHEEL_SPEED", WHEEL_SPEED), 10, 9},
    {ZR_FIELD("USB_SPEED", USB_SPEED), 3, std::nullopt},
    {ZR_FIELD("USB_SPEED", USB_SPEED), 4, 3},
    {ZR_FIELD("FIRE_TIME", FIRE_TIME), 0, std::nullopt},
    {ZR_FIELD("FIRE_TIME", FIRE_TIME), 300, std::nullopt},
    {ZR_FIELD("FIRE_TIME", FIRE_TIME), -1, 0},
    {ZR_FIELD("FIRE_TIME", FIRE_TIME), 301, 300},
};
#undef ZR_FIELD

std::array<std::int64_t, 22> StoredFields(const ConfigRecord& r) {
  return {r.K[0], r.K[1], r.K[2], r.K[3], r.K[4], r.K[5], r.DPI_LEVEL, r.WHEEL_STATUS, r.MACRO_MODE2,
          r.DPI_SET[0], r.DPI_SET[1], r.DPI_SET[2], r.DPI_SET[3], r.DPI_SET_EN[0], r.DPI_SET_EN[1],
          r.DPI_SET_EN[2], r.DPI_SET_EN[3], r.LED_STATUS, r.DPI_SPEED, r.WHEEL_SPEED, r.USB_SPEED.load(),
          r.FIRE_TIME};
}

TEST(RepairLoadedRecord, EachFieldJustInsideAndJustOutsideItsRange) {
  for (const FieldRow& row : kFieldRows) {
    SCOPED_TRACE(std::string(row.field) + " = " + std::to_string(row.value));
    ConfigRecord record;
    SetFactoryDefaults(record);
    row.set(record, row.value);
    ConfigRecord expected;
    SetFactoryDefaults(expected);
    row.set(expected, row.repairedTo.value_or(row.value));

    EXPECT_EQ(RepairLoadedRecord(record), row.repairedTo.has_value());
    // Only the broken field changes.
    EXPECT_EQ(StoredFields(record), StoredFields(expected));
  }
}

TEST(RepairLoadedRecord, LeavesAValidRecordAlone) {
  ConfigRecord record;
  SetFactoryDefaults(record);
  record.K[0] = 41;
  record.K[2] = 1;
  record.DPI_SET_EN = {0, 0, 1, 0};
  record.DPI_LEVEL = 2;
  record.FIRE_TIME = 300;
  EXPECT_FALSE(RepairLoadedRecord(record));
  EXPECT_EQ(record.K[0], 41);
  EXPECT_EQ(record.DPI_LEVEL, 2);
}

TEST(RepairLoadedRecord, AllZeroRecordCanStillClickAndHasALevel) {
  ConfigRecord record;  // what a section of missing keys loads as
  EXPECT_TRUE(RepairLoadedRecord(record));
  for (int s = 0; s < kButtonSlots; ++s) EXPECT_EQ(record.K[s], (std::array{1, 3, 2, 4, 5, 6})[s]);
  EXPECT_EQ(record.DPI_SET_EN[0], 1);
  EXPECT_EQ(record.DPI_LEVEL, 0);
}

TEST(RepairLoadedRecord, NoLeftClickOrNoEnabledCurrentLevel) {
  ConfigRecord record;
  SetFactoryDefaults(record);
  for (int s = 0; s < kButtonSlots; ++s) record.K[s] = 3;  // valid, but no left click
  record.DPI_SET_EN = {0, 0, 1, 1};
  EXPECT_TRUE(RepairLoadedRecord(record));
  EXPECT_EQ(record.K[0], 1);
  EXPECT_EQ(record.K[1], 3);
  EXPECT_EQ(record.DPI_LEVEL, 2);  // level 0 is disabled: the next enabled one
  EXPECT_EQ(record.DPI_SET_EN, (std::array<std::uint8_t, 4>{0, 0, 1, 1}));

  record.DPI_SET_EN = {0, 0, 0, 0};
  record.DPI_LEVEL = 3;
  EXPECT_TRUE(RepairLoadedRecord(record));
  EXPECT_EQ(record.DPI_LEVEL, 3);  // none enabled: the current one comes back
  EXPECT_EQ(record.DPI_SET_EN, (std::array<std::uint8_t, 4>{0, 0, 0, 1}));
}

// The mouse knows four report rates (125, 250, 500 and 1000 a second): every
// place that takes USB_SPEED from the record accepts steps 0..3 and no other.
TEST(ReportRateSteps, TheRepairTheIndicatorAndTheRateButtonAgree) {
  for (std::int32_t step = 0; step <= 255; ++step) {
    SCOPED_TRACE(step);
    const bool known = step < 4;
    ConfigRecord record;
    SetFactoryDefaults(record);
    record.USB_SPEED = static_cast<std::uint8_t>(step);
    EXPECT_EQ(RepairLoadedRecord(record), !known);
    EXPECT_EQ(ReportRateIndicator(static_cast<std::uint8_t>(step), 1).has_value(), known);
    if (known) EXPECT_EQ(NextReportRateStep(static_cast<std::uint8_t>(step)), (step + 1) % 4);
  }
}

TEST(UsableConfigNumber, OnlyTheFiveStoredConfigurations) {
  for (std::int32_t n : {1, 2, 5}) EXPECT_EQ(UsableConfigNumber(n), n);
  for (std::int32_t n : {0, 6, 7, -1, 99, 1234, std::numeric_limits<std::int32_t>::min(),
                         std::numeric_limits<std::int32_t>::max()})
    EXPECT_EQ(UsableConfigNumber(n), 1) << n;
}

}  // namespace
}  // namespace zr
