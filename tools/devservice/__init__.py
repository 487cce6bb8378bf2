"""Development counterpart of the Vorlix service, its event collector and the cloud storage.

Run it with ``python3 tools/devservice --port 0 --data DIR``; from Python use
``devservice.client.start_service(data_dir)``.
"""
