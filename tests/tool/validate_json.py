"""Validates JSON documents against a JSON Schema (draft 2020-12): one line per document, "valid" or
its first error; fails when the schema itself is malformed. One run serves many documents, since
starting Python and jsonschema costs more than checking."""
import json
import sys

import jsonschema

schema = json.load(open(sys.argv[1]))
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
for path in sys.argv[2:]:
    error = jsonschema.exceptions.best_match(validator.iter_errors(json.load(open(path))))
    print("valid" if error is None else f"{'/'.join(str(p) for p in error.absolute_path)}: {error.message}")
