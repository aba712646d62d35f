#pragma once
// The command line knows one word: exactly "log" (case-sensitive, nothing else on the
// line) reveals the start-up choices' "Log" option.
bool CommandLineShowsLog(int argc, const char* const* argv);
