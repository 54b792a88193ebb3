#pragma once

#include <functional>
#include <memory>
#include <string>

class TReportPage;

// A new page with Count items on an A4 grid of 5 by 6 (beyond 30 they stack), in five
// symbologies with texts and titles.
std::unique_ptr<TReportPage> ItemPage(int Count);

// The stored bytes of a 1,000-item page, made once.
const std::string& ThousandItems();

// A benchmark program's main: an offscreen application (pages are widgets, text needs fonts),
// Register's benchmarks added to the declared ones, and Google Benchmark run on the arguments.
int RunBenchmarks(int Argc, char** Argv, const std::function<void()>& Register = {});
