#pragma once
// The heap of a vesk process that reads one file whole, builds a database from it and writes
// it: a database of 65,532 terms is some 400,000 small allocations, and faulting their pages
// in one by one took a third of an import's run.

#include <memory>
#include <string>

// Prepares the heap for what the file at path builds, when the process ends after its command
// and path names a regular file; otherwise nothing. Memory freed on the way is then kept for
// the allocations after it, and the heap is backed by large pages, with room reserved
// (address space only) for the database. Nothing under the sanitizers, which keep their own
// heap, and nothing outside glibc on Linux.
void PrepareHeapForFile(const std::string& path);

// The vesk tool ends right after its command; in-process callers (the tests) do not.
void MarkProcessEndsAfterCommand();
bool ProcessEndsAfterCommand();

// Freeing 65,532 terms value by value takes a tenth of a command's run, for a process that
// ends right after; the system takes the memory back whole. So when the process ends after
// the command, db is left to it; otherwise, and under the sanitizers (whose leak check must
// still see everything else), it is freed.
class cDatabase;
void LeaveToSystem(std::unique_ptr<cDatabase> db);
