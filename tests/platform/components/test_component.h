#pragma once
// The identities of the test component library (libferiant_test_component.so): what the
// tests expect it to register and serve. The library exports nothing but the four entry
// points; everything else the tests learn through the registry and late-bound calls.
//
//   FeriantTest.Counter  control; Value (get, put), Increment(optional step) raising
//                        Changing(new value, ByRef cancel) then Changed(new value),
//                        Fail() raising object error 5, Serial (get): how many objects the
//                        library has created, this one included
//   FeriantTest.AddIn    an add-in of the host key below; Name (get)
//   FeriantTest.Broken   its factory fails with kFail

#include <cstdint>
#include <string_view>

#include "platform/automation/dispatch.h"
#include "platform/automation/guid.h"

namespace feriant::components::test_component {

using automation::Guid;

inline constexpr Guid kLibraryId{
    0x2B467F26, 0x5E29, 0x4EE2, {0xBD, 0x26, 0x65, 0xFA, 0x5D, 0xAD, 0x98, 0x66}};
inline constexpr std::string_view kVersion = "4.10";
inline constexpr std::string_view kLibraryName = "FeriantTest";

inline constexpr Guid kCounterClass{
    0xF8864104, 0x695A, 0x4480, {0x8C, 0x04, 0x4E, 0x6E, 0xBD, 0x9A, 0x8D, 0x6B}};
inline constexpr Guid kCounterInterface{
    0x5FBF6CCC, 0x730E, 0x4774, {0xA8, 0xE1, 0xBF, 0x2C, 0x51, 0x60, 0xEB, 0x09}};
inline constexpr Guid kCounterEvents{
    0xEBD25178, 0x4EFB, 0x4DC7, {0x8B, 0xF2, 0x3F, 0x93, 0xC8, 0x13, 0x13, 0x0B}};
inline constexpr std::string_view kCounterProgId = "FeriantTest.Counter";

inline constexpr Guid kAddInClass{
    0xA7AF206F, 0xCCE9, 0x4A46, {0x8C, 0x90, 0xB2, 0x09, 0x2E, 0xD5, 0x90, 0xAB}};
inline constexpr Guid kAddInInterface{
    0x557194F4, 0x42AA, 0x4063, {0xB7, 0x00, 0xEC, 0x6D, 0xC5, 0x8D, 0xAD, 0x04}};
inline constexpr std::string_view kAddInProgId = "FeriantTest.AddIn";
inline constexpr std::string_view kAddInHostKey = "Software\\FeriantTest\\Host";

inline constexpr Guid kBrokenClass{
    0x112B2BD6, 0x1E74, 0x4954, {0x8C, 0x12, 0xF1, 0x88, 0x46, 0xE6, 0xB7, 0x1C}};
inline constexpr Guid kBrokenInterface{
    0x04A58558, 0x3E38, 0x41DF, {0xB8, 0xA1, 0x5B, 0xE4, 0x93, 0x9D, 0x54, 0xD6}};
inline constexpr std::string_view kBrokenProgId = "FeriantTest.Broken";

// Dispatch ids of the counter and its events.
inline constexpr automation::DispId kValue = 1;
inline constexpr automation::DispId kIncrement = 2;
inline constexpr automation::DispId kFail = 3;
inline constexpr automation::DispId kSerial = 4;
inline constexpr automation::DispId kChanging = 1;
inline constexpr automation::DispId kChanged = 2;

}  // namespace feriant::components::test_component
