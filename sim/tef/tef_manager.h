// A virtual TEF manager: the program that takes card and cheque payments for the point of sale,
// with the card network behind it. It watches the request directory as a real one does, takes a
// complete request, acknowledges it with IntPos.sts and answers in IntPos.001: approvals with
// their voucher, refusals, the operator's cancellation, a transaction already done. It keeps each
// transaction's state and Ativo.001 while it runs. It can be told to misbehave.
//
// It works in looks (serve): a tool calls it every few milliseconds; a test calls it from the
// library's own sleeps, so on a virtual clock a long wait costs nothing.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/tef/exchange_files.h"

namespace quelfi::sim::tef {

enum class TransactionState { Pending, Confirmed, Undone, Cancelled };

struct Transaction {
    std::string operation;  // CRT or CHQ
    std::string identification;
    std::string document;
    std::string amount;  // centavos
    std::string network;
    std::string nsu;
    TransactionState state = TransactionState::Pending;
};

// How the manager behaves; it may be changed between two looks.
struct Behaviour {
    bool absent = false;               // not running: no Ativo.001, requests left lying
    bool showActivity = true;          // keeps Ativo.001; without it, ATV requests are answered
    std::uint32_t answerDelayMs = 0;   // the response comes this long after the acknowledgement
    bool neverAnswer = false;          // acknowledges, never responds
    bool refuse = false;               // the network refuses every sale
    bool operatorCancels = false;      // the operator cancels at the PIN pad
    bool wrongIdentification = false;  // acknowledges and responds for another identification
    bool staleResponse = false;  // an earlier transaction's response lies there first, until gone
    std::string network = "REDECARD";
};

class TefManager {
  public:
    TefManager(std::filesystem::path requestDirectory, std::filesystem::path responseDirectory,
               Behaviour behaviour = {});
    ~TefManager();
    TefManager(const TefManager&) = delete;
    TefManager& operator=(const TefManager&) = delete;

    const Behaviour& behaviour() const { return behaviour_; }
    void setBehaviour(Behaviour behaviour);
    // Dates and times of the answers; the system's clock unless set.
    void setWallClock(std::function<std::time_t()> clock) { wallClock_ = std::move(clock); }

    // One look at `nowMs` on the caller's clock: a due response written, a request taken. What it
    // did, a line each, for a person watching.
    std::vector<std::string> serve(std::uint64_t nowMs);

    // Every request taken, in order, and every approved transaction.
    const std::vector<Request>& requests() const { return requests_; }
    const std::vector<Transaction>& transactions() const { return transactions_; }

  private:
    struct Scheduled {
        std::string text;
        std::uint64_t dueMs = 0;
        bool afterStaleGone = false;
    };

    std::filesystem::path file(const char* name) const;
    void showActivity();
    std::string handle(const Request& request, std::uint64_t nowMs);
    std::string answerSale(const Request& request);
    std::string answerCancellation(const Request& request);
    std::string answerReport(const Request& request);
    void settle(const Request& request, TransactionState state);
    std::string dateText() const;
    std::string timeText() const;

    std::filesystem::path requestDirectory_;
    std::filesystem::path responseDirectory_;
    Behaviour behaviour_;
    std::function<std::time_t()> wallClock_;
    std::optional<Scheduled> scheduled_;
    std::vector<Request> requests_;
    std::vector<Transaction> transactions_;
    int nextNsu_ = 101;
};

const char* stateName(TransactionState state);

}  // namespace quelfi::sim::tef
