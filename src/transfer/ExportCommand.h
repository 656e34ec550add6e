#pragma once

class TransferConsole;
struct TransferRequest;

int RunExport(const TransferRequest &request, TransferConsole &console);
