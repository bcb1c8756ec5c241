"""The client against the real `zavrin serve` ($ZAVRIN_COMMAND, set by CTest)."""

import decimal
import gc
import math
import os
import tempfile
import unittest
from unittest import mock

import zavrin

NUMBERS_PROGID = "VQZavrinStudio.ZSNumbers"


class HostTestCase(unittest.TestCase):
    """One host per test class, with a registry store of its own."""

    @classmethod
    def setUpClass(cls):
        cls.store = tempfile.TemporaryDirectory()
        cls.env = dict(os.environ, ZAVRIN_REGISTRY_DIR=cls.store.name)
        cls.session = zavrin.Session(env=cls.env)

    @classmethod
    def tearDownClass(cls):
        cls.session.close()
        cls.store.cleanup()

    def handle_held(self, handle):
        """Whether the host still holds a handle (asked on the wire)."""
        answer = self.session._request({"op": "next", "handle": handle, "count": 0})
        return answer["ok"] or answer["error"]["number"] != 424


class CallTest(HostTestCase):
    def test_methods_by_class_name_and_progid_in_any_letter_case(self):
        for name in ("ZSNumbers", NUMBERS_PROGID):
            with self.subTest(name=name):
                numbers = self.session.create(name)
                self.assertEqual(numbers.BinToDec("101"), 5)
                self.assertEqual(numbers.bintodec("11"), 3)
                self.assertEqual(repr(numbers)[:25], "<zavrin.Object ZSNumbers ")

    def test_ref_holds_what_the_member_wrote(self):
        numbers = self.session.create("ZSNumbers")
        text = zavrin.Ref("11111111")
        self.assertEqual(numbers.BinToHex(text), "FF")
        self.assertEqual(text.value, "255")
        plain = "11111111"
        numbers.BinToHex(plain)
        self.assertEqual(plain, "11111111")

    def test_ref_is_written_also_when_the_call_fails(self):
        numbers = self.session.create("ZSNumbers")
        digits, base = zavrin.Ref("5"), zavrin.Ref("x")
        with self.assertRaises(zavrin.ZavrinError) as caught:
            numbers.GenerateRandomID(digits, base)
        self.assertEqual(caught.exception.number, 13)
        self.assertEqual(digits.value, 5)  # converted to its declared Integer

    def test_errors_carry_number_description_and_source(self):
        numbers = self.session.create("ZSNumbers")
        stack = self.session.create("ZSStack")
        cases = [
            ("member error", lambda: numbers.HexToDec("G"), 99, NUMBERS_PROGID),
            ("missing argument", lambda: numbers.BinToDec(), 449, NUMBERS_PROGID),
            ("too many arguments", lambda: numbers.BinToDec("1", "0"), 450, NUMBERS_PROGID),
            ("unknown class", lambda: self.session.create("ZSNoSuchClass"), 429, "zavrin serve"),
            ("too many decimals", lambda: stack.Push(decimal.Decimal("1.23456")), 5,
             "zavrin serve"),
            ("out of range", lambda: stack.Push(zavrin.Typed("Integer", 40000)), 6,
             "zavrin serve"),
            ("lone surrogate", lambda: stack.Push("\ud800"), 5, "zavrin serve"),
        ]
        for name, call, number, source in cases:
            with self.subTest(name):
                with self.assertRaises(zavrin.ZavrinError) as caught:
                    call()
                error = caught.exception
                self.assertEqual((error.number, error.source), (number, source))
                self.assertTrue(error.description)
        self.assertEqual(numbers.BinToDec("1"), 1)  # the host serves on

    def test_unknown_and_misused_members_are_attribute_errors(self):
        numbers = self.session.create("ZSNumbers")
        self.assertFalse(hasattr(numbers, "NoSuchMember"))
        self.assertFalse(hasattr(numbers, "_private"))
        with self.assertRaises(AttributeError):
            numbers.BinToDec = "1"  # a method
        with self.assertRaises(AttributeError):
            numbers.NoSuchMember = 1


class ValueTest(HostTestCase):
    def test_values_come_back_as_they_went(self):
        stack = self.session.create("ZSStack")
        other = self.session.create("ZSNumbers")
        cases = [
            (None, None),
            (zavrin.Null, zavrin.Null),
            (zavrin.Nothing, zavrin.Nothing),
            (True, True),
            (-32768, -32768),
            (40000, 40000),
            (2**40, float(2**40)),
            (2.5, 2.5),
            (-math.inf, -math.inf),
            (decimal.Decimal("-1234.5678"), decimal.Decimal("-1234.5678")),
            ("text \u00fc \u20ac \U0001f600", "text \u00fc \u20ac \U0001f600"),
            ("", ""),
            (zavrin.Typed("Single", 16777217), 16777216.0),  # rounded to a Single
            (zavrin.Typed("Error", -2147352572), zavrin.Typed("Error", -2147352572)),
        ]
        for value, expected in cases:
            with self.subTest(value=value):
                stack.Push(value)
                got = stack.Pop()
                self.assertEqual(type(got), type(expected))
                self.assertEqual(got, expected)
        stack.Push(float("nan"))
        self.assertTrue(math.isnan(stack.Pop()))
        stack.Push(other)
        self.assertIs(stack.Pop(), other)

    def test_objects_of_another_session_are_refused(self):
        with zavrin.Session(env=self.env) as elsewhere:
            foreign = elsewhere.create("ZSNumbers")
            with self.assertRaises(ValueError):
                self.session.create("ZSStack").Push(foreign)


class PropertyTest(HostTestCase):
    def test_fields_and_properties_read_and_assign_as_attributes(self):
        keys = self.session.create("ZSRegistryKeys")
        keys.Add("first")
        keys.Add("second", "k2")
        self.assertEqual(keys.Count, 2)  # a property: read at once
        key = keys.Item(2)  # a property with parameters: called
        self.assertEqual(key.KeyNames, "second")
        key.KeyNames = "renamed"
        self.assertEqual(keys.Item("k2").KeyNames, "renamed")
        self.assertEqual(keys[1].KeyNames, "first")  # the default member
        with self.assertRaises(zavrin.ZavrinError):
            keys["no such key"]
        with self.assertRaises(AttributeError):
            keys.Count = 3  # read-only


class EnumerationTest(HostTestCase):
    def test_collections_iterate_in_order_across_batches(self):
        collection = self.session.create("Collection")
        values = [f"v{i}" for i in range(zavrin.Enumerator.batch * 3 + 5)]
        for value in values:
            collection.Add(value)
        self.assertEqual(list(collection), values)
        self.assertEqual(list(collection), values)  # a fresh enumerator each time
        self.assertEqual(list(self.session.create("Collection")), [])

    def test_reset_starts_again(self):
        collection = self.session.create("Collection")
        for value in ("a", "b", "c"):
            collection.Add(value)
        enumerator = iter(collection)
        self.assertEqual([next(enumerator), next(enumerator)], ["a", "b"])
        enumerator.reset()
        self.assertEqual(list(enumerator), ["a", "b", "c"])
        self.assertEqual(list(enumerator), [])

    def test_enumerated_objects_are_the_same_proxies(self):
        keys = self.session.create("ZSRegistryKeys")
        added = [keys.Add(name) for name in ("a", "b")]
        self.assertEqual(list(keys), added)
        self.assertIs(keys.Item(1), added[0])

    def test_an_object_that_is_not_a_collection_does_not_iterate(self):
        with self.assertRaises(TypeError):
            iter(self.session.create("ZSNumbers"))


class ReleaseTest(HostTestCase):
    def test_collected_objects_are_released_with_the_next_request(self):
        numbers = self.session.create("ZSNumbers")
        handle = numbers._handle
        del numbers
        gc.collect()
        self.assertFalse(self.handle_held(handle))

    def test_an_object_handed_out_again_before_its_release_is_kept(self):
        keys = self.session.create("ZSRegistryKeys")
        keys.Add("a")
        key = keys.Item(1)
        handle = key._handle
        del key
        gc.collect()
        self.assertIn(handle, self.session._collected)
        # An answer read while the release is pending (the proxy was collected
        # during the request): the host still holds the object, same handle.
        item = {"op": "invoke", "handle": keys._handle, "member": "Item",
                "args": [{"type": "Integer", "value": 1}]}
        again = self.session._decode(self.session._exchange([item])[0]["result"])
        self.assertEqual(again._handle, handle)
        self.assertEqual(keys.Count, 1)  # a request that sends pending releases
        self.assertTrue(self.handle_held(handle))
        self.assertEqual(again.KeyNames, "a")

    def test_many_objects_dropped_at_once_are_all_released(self):
        keys = self.session.create("ZSRegistryKeys")
        items = [keys.Add(str(i)) for i in range(6000)]  # answers beyond a pipe's buffer
        handles = [item._handle for item in items]
        del items
        gc.collect()
        self.assertEqual(keys.Count, 6000)
        self.assertFalse(self.handle_held(handles[0]))
        self.assertFalse(self.handle_held(handles[-1]))
        self.assertNotIn(keys.Item(1)._handle, handles)


class SessionTest(unittest.TestCase):
    def test_closing_ends_the_host(self):
        with zavrin.Session() as session:
            numbers = session.create("ZSNumbers")
            process = session._process
        self.assertTrue(session.closed)
        self.assertIsNotNone(process.poll())
        with self.assertRaises(zavrin.HostError):
            numbers.BinToDec("1")
        del numbers  # collecting after the end is harmless
        gc.collect()

    def test_a_host_that_died_is_reported(self):
        session = zavrin.Session()
        session._process.kill()
        with self.assertRaises(zavrin.HostError):
            session.create("ZSNumbers")
        self.assertTrue(session.closed)

    def test_the_command_comes_from_the_argument_the_variable_or_the_path(self):
        command = os.environ[zavrin.COMMAND_VARIABLE]
        folder = os.path.dirname(os.path.abspath(command))
        cases = [
            ("argument", "/elsewhere/zavrin", {zavrin.COMMAND_VARIABLE: command}, "/elsewhere/zavrin"),
            ("variable", None, {zavrin.COMMAND_VARIABLE: command}, command),
            ("path", None, {zavrin.COMMAND_VARIABLE: "", "PATH": folder},
             os.path.join(folder, "zavrin")),
        ]
        for name, given, env, expected in cases:
            with self.subTest(name), mock.patch.dict(os.environ, env):
                self.assertEqual(zavrin.find_command(given), expected)
        with mock.patch.dict(os.environ, {zavrin.COMMAND_VARIABLE: "", "PATH": "/nonexistent"}):
            with self.assertRaises(zavrin.HostError):
                zavrin.find_command()
        with self.assertRaises(zavrin.HostError):
            zavrin.Session("/nonexistent/zavrin")

    def test_module_create_uses_one_default_session(self):
        numbers = zavrin.create("ZSNumbers")
        self.assertIs(numbers._session, zavrin.default_session())
        self.assertEqual(numbers.DecToBin("5"), "101")
        zavrin.default_session().close()
        self.assertIsNot(zavrin.create("ZSNumbers")._session, numbers._session)
        zavrin.default_session().close()

    def test_predeclared_instance_is_the_same_object(self):
        with zavrin.Session() as session:
            first = session.create("ZSRegistry", predeclared=True)
            self.assertIs(session.create("ZSRegistry", predeclared=True), first)

    def test_version_is_the_project_version(self):
        expected = os.environ.get("ZAVRIN_PROJECT_VERSION")
        if not expected:
            self.skipTest("ZAVRIN_PROJECT_VERSION is not set")
        self.assertEqual(zavrin.__version__, expected)


if __name__ == "__main__":
    unittest.main()
