#pragma once

class TransferConsole;
struct TransferRequest;

int RunCopy(const TransferRequest &request, TransferConsole &console);
