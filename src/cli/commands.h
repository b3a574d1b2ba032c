// Factories of the sub-commands, one per source file.
#pragma once

#include <memory>

#include "cli/command.h"

namespace qamp::cli {

std::unique_ptr<Command> MakeDecodeCommand();
std::unique_ptr<Command> MakeChecksumCommand();
std::unique_ptr<Command> MakeFrameCommand();
std::unique_ptr<Command> MakeConnectCommand();
std::unique_ptr<Command> MakePortsCommand();
std::unique_ptr<Command> MakeSimulateCommand();
std::unique_ptr<Command> MakeParamsCommand();
std::unique_ptr<Command> MakeCommandCommand();
std::unique_ptr<Command> MakeUploadCommand();
std::unique_ptr<Command> MakeDownloadCommand();
std::unique_ptr<Command> MakeReportCommand();
std::unique_ptr<Command> MakeDiffCommand();
std::unique_ptr<Command> MakeGetCommand();
std::unique_ptr<Command> MakeSetCommand();

}  // namespace qamp::cli
