#pragma once
// The record and value types of a pointer to a data member, for the tables
// that declare a record's fields by member.

namespace velk {

template <typename Member> struct MemberOf;
template <typename R, typename V> struct MemberOf<V R::*> {
    using Record = R;
    using Value = V;
};

}  // namespace velk
