#pragma once
// Linking CountingAllocator.cpp into a test binary replaces the global
// operator new there and counts every call, from any thread.
namespace ikea::test {
long AllocationCount();
} // namespace ikea::test
