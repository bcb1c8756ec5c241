"""The client's own rules, without a host: value encoding and member tables."""

import decimal
import unittest

import zavrin
from zavrin import _members, _values


def encode(value):
    return _values.encode(value, lambda _: None)


class EncodeTest(unittest.TestCase):
    def test_values_take_the_expected_host_types(self):
        cases = [
            (None, {"type": "Empty"}),
            (zavrin.Null, {"type": "Null"}),
            (zavrin.Nothing, {"type": "Object", "handle": None}),
            (zavrin.Missing, {"missing": True}),
            (True, {"type": "Boolean", "value": True}),  # not an Integer
            (-32768, {"type": "Integer", "value": -32768}),
            (32768, {"type": "Long", "value": 32768}),
            (-(2**31), {"type": "Long", "value": -(2**31)}),
            (2**31, {"type": "Double", "value": 2147483648.0}),
            (2**53, {"type": "Double", "value": float(2**53)}),
            (2.5, {"type": "Double", "value": 2.5}),
            (float("nan"), {"type": "Double", "value": "NaN"}),
            (float("-inf"), {"type": "Double", "value": "-Infinity"}),
            (decimal.Decimal("1E+2"), {"type": "Currency", "value": "100"}),
            (decimal.Decimal("-0.0001"), {"type": "Currency", "value": "-0.0001"}),
            ("", {"type": "String", "value": ""}),
            (zavrin.Typed("Single", 2), {"type": "Single", "value": 2.0}),
            (zavrin.Typed("Single", float("inf")), {"type": "Single", "value": "Infinity"}),
            (zavrin.Typed("Long", 5), {"type": "Long", "value": 5}),
            (zavrin.Typed("Currency", "1.5"), {"type": "Currency", "value": "1.5"}),
            (zavrin.Typed("Null"), {"type": "Null"}),
        ]
        for value, expected in cases:
            with self.subTest(value=value):
                self.assertEqual(encode(value), expected)

    def test_values_the_host_cannot_take_fail_here(self):
        cases = [
            (2**53 + 1, OverflowError),  # not exact as a Double
            (-(2**70) - 1, OverflowError),
            (decimal.Decimal("NaN"), ValueError),
            (object(), TypeError),
            (b"bytes", TypeError),
        ]
        for value, error in cases:
            with self.subTest(value=value):
                with self.assertRaises(error):
                    encode(value)

    def test_unknown_typed_type_is_refused(self):
        with self.assertRaises(ValueError):
            zavrin.Typed("Variant", 1)


class MemberTableTest(unittest.TestCase):
    LISTING = (
        "ZSRegistryKeys (collection, VQZavrinStudio.ZSRegistryKeys)\n"
        "  0x00000000  0           get     Item(ByRef vntIndexKey As Variant) As ZSRegistryKey\n"
        "  0x68030000  1745027072  get     Count() As Long\n"
        "  0x60030001  1610809345  method  Add(ByRef KeyNames As String) As ZSRegistryKey\n"
        "  0xFFFFFFFC  -4          get     NewEnum() As IUnknown  [hidden]\n"
        "  0x40030000  1073938432  field   KeyNames As String\n"
        "  0x68030001  1745027073  let     Caption(ByVal Value As String)\n"
        "  0x68030001  1745027073  get     Caption() As String\n"
        "  0x68030002  1745027074  set     Picture(ByVal Value As Object)\n"
        "  0x68030003  1745027075  let     Tag(ByVal Value As Variant)\n"
        "  0x68030003  1745027075  set     Tag(ByVal Value As Variant)\n"
        "Enum Colours\n"
        "  zvRed = 1\n")

    def test_kinds_parameters_and_assignment(self):
        members = _members.parse(self.LISTING)
        # name: kinds, method, readable, get takes parameters, write kind for a value, for an object
        cases = {
            "item": ({"get"}, False, True, True, None, None),
            "count": ({"get"}, False, True, False, None, None),
            "add": ({"method"}, True, False, False, None, None),
            "newenum": ({"get"}, False, True, False, None, None),
            "keynames": ({"field"}, False, True, False, "let", "set"),
            "caption": ({"get", "let"}, False, True, False, "let", "let"),
            "picture": ({"set"}, False, False, False, "set", "set"),
            "tag": ({"let", "set"}, False, False, False, "let", "set"),
        }
        self.assertEqual(set(members), set(cases))
        for name, (kinds, method, readable, parameters, value, obj) in cases.items():
            with self.subTest(name=name):
                member = members[name]
                self.assertEqual(member.kinds, kinds)
                self.assertEqual(member.is_method, method)
                self.assertEqual(member.readable, readable)
                self.assertEqual(member.get_has_parameters, parameters)
                self.assertEqual(member.write_kind(False), value)
                self.assertEqual(member.write_kind(True), obj)
        self.assertEqual(members["caption"].name, "Caption")


if __name__ == "__main__":
    unittest.main()
