"""Validates a JSON document against a JSON Schema (draft 2020-12): exit 0 when valid, 1 with the
first error on standard output when not, 2 when the schema itself is malformed."""
import json
import sys

import jsonschema

schema = json.load(open(sys.argv[1]))
try:
    jsonschema.Draft202012Validator.check_schema(schema)
except jsonschema.SchemaError as error:
    print(f"schema: {error.message}")
    sys.exit(2)
error = jsonschema.exceptions.best_match(jsonschema.Draft202012Validator(schema).iter_errors(json.load(open(sys.argv[2]))))
if error is not None:
    print(f"{'/'.join(str(p) for p in error.absolute_path)}: {error.message}")
    sys.exit(1)
