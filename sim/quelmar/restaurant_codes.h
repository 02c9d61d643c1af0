// The restaurant firmware's command bytes, as the virtual printer names them: the command byte
// 'P' followed by an operation code. The printer runs them on firmware 03.20 only.
#pragma once

#include <array>
#include <cstdint>

namespace quelfi::sim::codes::restaurant {

inline constexpr std::uint8_t kRestaurant = 'P';

// The firmware that carries the restaurant commands.
inline constexpr std::array<int, 2> kFirmware{3, 20};

// Operation codes, the byte after kRestaurant.
inline constexpr char kRegisterItem = '0';
inline constexpr char kCancelItem = '1';
inline constexpr char kTableCheck = '2';  // the table alone opens it; with an adjustment, whole
inline constexpr char kCloseTableCheck = ':';
inline constexpr char kMoveTable = '3';
inline constexpr char kOpenTableCoupon = '4';
inline constexpr char kMoveItem = '5';
inline constexpr char kOpenTablesReport = '6';
inline constexpr char kPrintMenu = '7';
inline constexpr char kFreeMemory = '8';
inline constexpr char kSplitBill = ';';
inline constexpr char kOpenTablesStream = '<';
inline constexpr char kMenuStream = '=';
inline constexpr char kTableStream = '>';

// The surcharge/discount letters and kinds of an item or a bill check.
inline constexpr char kSurcharge = 'A';
inline constexpr char kDiscount = 'D';
inline constexpr char kByValue = '$';
inline constexpr char kByPercentage = '%';

}  // namespace quelfi::sim::codes::restaurant
