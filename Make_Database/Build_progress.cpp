#include "Make_Database/Build_progress.hpp"

#include <algorithm>
#include <cmath>
#include <ostream>

double search_processor_seconds(std::int32_t n) {
  return search_seconds_at_16 * std::pow(search_growth_per_order, n - 16);
}

double search_work(std::int32_t n, int jobs) {
  return search_processor_seconds(n) / std::max(jobs, 1) + 0.001;
}

// The work of a generated order grows with its arrays times their length, about n^3; below
// order 53 the torus windows of the Golomb pattern cost some 25 times that. The time left
// scales this shape by the pace measured on the orders done, so only the shape matters: with
// n^2 and no windows it put the first orders at a hundredth of their share and foretold ten
// times the real time of a build of orders 2-500.
double generation_work(std::int32_t n) {
  const double cube = static_cast<double>(n) * n * n;
  return 2e-8 * cube * (n + 1 <= 53 ? 25 : 1) + 0.001;
}

Build_progress::Build_progress(std::ostream& err, bool terminal, int total_orders,
                               double total_work)
    : err_(err), terminal_(terminal), total_orders_(total_orders),
      total_work_(std::max(total_work, 1e-9)) {}

double Build_progress::elapsed_seconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

std::string Build_progress::time_left(double fraction_done) const {
  if (fraction_done <= 0.0) return "time left unknown";
  const double left = elapsed_seconds() * (1.0 - fraction_done) / fraction_done;
  const auto seconds = static_cast<long long>(std::llround(left));
  char text[48];
  std::snprintf(text, sizeof text, "about %lld:%02lld left", seconds / 60, seconds % 60);
  return text;
}

void Build_progress::start_order(const std::string& part, std::int32_t n, double work) {
  part_ = part;
  order_ = n;
  current_work_ = work;
  if (terminal_) draw(0.0);
}

void Build_progress::update(double fraction_of_order) {
  if (terminal_) draw(fraction_of_order);
}

void Build_progress::draw(double fraction_of_order) {
  const double fraction = std::min(1.0, (done_work_ + current_work_ * fraction_of_order) / total_work_);
  constexpr int width = 24;
  const int filled = static_cast<int>(fraction * width);
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(width - filled), '-');
  err_ << "\r[" << bar << "] " << part_ << " order " << order_ << ", " << orders_done_ << "/"
       << total_orders_ << " orders, " << arrays_ << " arrays, " << time_left(fraction) << "   "
       << std::flush;
}

void Build_progress::finish_order(std::int64_t arrays_written) {
  done_work_ += current_work_;
  ++orders_done_;
  arrays_ += arrays_written;
  const double fraction = std::min(1.0, done_work_ / total_work_);
  if (terminal_) {
    draw(0.0);
    return;
  }
  err_ << part_ << " order " << order_ << ": " << arrays_written << " arrays; " << orders_done_
       << " of " << total_orders_ << " orders done, " << time_left(fraction) << '\n'
       << std::flush;
}

void Build_progress::note(const std::string& line) {
  if (terminal_) err_ << '\n';
  err_ << line << '\n';
  if (terminal_) draw(0.0);
  err_ << std::flush;
}

// Blanks and flushes, so that a line written after it to another stream starts on a clean
// line; nothing when the stream is no terminal.
void Build_progress::clear_line() {
  if (terminal_) err_ << '\r' << std::string(100, ' ') << '\r' << std::flush;
}

void Build_progress::finish() {
  if (terminal_) err_ << '\n' << std::flush;
}
