#pragma once
// How every operation that can fail says so: it returns its value, or the reason why there is none.
// A caller that must tell failures apart (to word them, or to try another way) gets a small struct
// as the reason instead of a text.

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>

namespace vorix {

/// The reason an operation failed, returned where a Result is expected: `return Failure{"reason"};`.
template <class E = std::string> struct Failure { E error; };
template <class E> Failure(E) -> Failure<E>;
Failure(const char*)->Failure<std::string>;

/// A value of T, or the reason E why the operation that returns it failed.
template <class T, class E = std::string> class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure<E> failure) : state_(std::in_place_index<1>, std::move(failure.error)) {}

    bool ok() const { return state_.index() == 0; }
    /// The value; asking a failure for it is a broken invariant and throws std::logic_error.
    const T& value() const& { return std::get<0>(checked(true)); }
    T& value() & { return std::get<0>(checked(true)); }
    T&& value() && { return std::get<0>(std::move(checked(true))); }
    /// The reason; asking a success for it throws std::logic_error.
    const E& error() const { return std::get<1>(checked(false)); }

private:
    const std::variant<T, E>& checked(bool wantValue) const {
        if (ok() != wantValue)
            throw std::logic_error(wantValue ? "Result: the value of a failure"
                                             : "Result: the error of a success");
        return state_;
    }
    std::variant<T, E>& checked(bool wantValue) {
        return const_cast<std::variant<T, E>&>(std::as_const(*this).checked(wantValue));
    }

    std::variant<T, E> state_;
};

/// Success without a value, or the reason E for a failure.
template <class E> class [[nodiscard]] Result<void, E> {
public:
    Result() = default;
    Result(Failure<E> failure) : error_(std::move(failure.error)) {}

    bool ok() const { return !error_.has_value(); }
    /// The reason; asking a success for it throws std::logic_error.
    const E& error() const {
        if (ok())
            throw std::logic_error("Result: the error of a success");
        return *error_;
    }

private:
    std::optional<E> error_;
};

} // namespace vorix
