#pragma once

class TransferConsole;
struct TransferRequest;

int RunImport(const TransferRequest &request, TransferConsole &console);
